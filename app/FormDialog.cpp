#include "app/FormDialog.h"

#include "editor/Vosk1View.h"
#include "res/resource.h"

CFormDialog::CFormDialog(CVosk1View& view)
    : m_view(view), m_hShadedBrush(CreateSolidBrush(static_cast<COLORREF>(kShadedCellColor))) {}

CFormDialog::~CFormDialog() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    DeleteObject(m_hShadedBrush);
}

bool CFormDialog::OnCommand(int id) {
    switch (id) {
        case ID_FILE_NEW:
            m_view.OnFileNew();
            return true;
        case ID_FILE_OPEN:
            m_view.OnFileOpen();
            return true;
        case ID_FILE_SAVE:
            m_view.OnFileSave();
            return true;
        case ID_FILE_SAVE_AS:
            m_view.OnFileSaveAs();
            return true;
        default:
            return false;
    }
}

INT_PTR CFormDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) {
                return FALSE;
            }
            switch (LOWORD(wParam)) {
                case IDC_CONFIRM:
                    m_view.OnConfirm();
                    return TRUE;
                case IDC_CANCEL_BUTTON:
                    m_view.OnCancelButton();
                    return TRUE;
                case IDOK:      // Enter in a cell
                case IDCANCEL:  // Escape
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_CTLCOLOREDIT:
            return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                  wParam, lParam);
        default:
            return FALSE;
    }
}

INT_PTR CFormDialog::OnCtlColorEdit(HDC dc, HWND control, WPARAM wParam, LPARAM lParam) {
    // The window system's own answer sets the default text and background colours.
    const LRESULT defaultBrush = DefWindowProcW(m_hWnd, WM_CTLCOLOREDIT, wParam, lParam);
    SetBkMode(dc, TRANSPARENT);
    if (IsShadedCell(GetDlgCtrlID(control))) {
        return reinterpret_cast<INT_PTR>(m_hShadedBrush);
    }
    return static_cast<INT_PTR>(defaultBrush);
}

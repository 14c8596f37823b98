#include "app/FormDialog.h"

#include <commctrl.h>

#include <string>

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
        case ID_MATCH_WHOLE:
        case ID_MATCH_PART:
        case ID_IGNORE_WIDTH:
        case ID_IGNORE_CASE:
            m_view.OnMatchOption(id);
            return true;
        default:
            return false;
    }
}

INT_PTR CFormDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowSubclass(GetDlgItem(m_hWnd, IDC_TEXT_LIST), TextListProc, 0,
                              reinterpret_cast<DWORD_PTR>(this));
            return TRUE;
        case WM_COMMAND:
            return OnControlCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CTLCOLOREDIT:
            return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                  wParam, lParam);
        default:
            return FALSE;
    }
}

INT_PTR CFormDialog::OnControlCommand(int id, int code) {
    switch (code) {
        case EN_SETFOCUS:
            m_view.OnCellFocus(id);
            return TRUE;
        case EN_CHANGE:
            m_view.OnCellChange(id);
            return TRUE;
        case BN_CLICKED:
            break;
        default:
            return FALSE;
    }
    switch (id) {
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
}

LRESULT CALLBACK CFormDialog::TextListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) noexcept {
    CFormDialog& form = *reinterpret_cast<CFormDialog*>(self);
    switch (message) {
        case WM_LBUTTONDBLCLK: {
            // The edit control first puts the caret where the pointer is.
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            form.PickCaretText(list);
            return result;
        }
        case WM_CONTEXTMENU:
            form.ShowTextListMenu(list, lParam);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, TextListProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The logical line of the caret, not a wrapped one: the texts are separated by CR LF, which no
// text holds, so the CR LFs before the caret number its text.
void CFormDialog::PickCaretText(HWND list) {
    DWORD caret = 0;
    SendMessageW(list, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(list)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(list, text.data(), static_cast<int>(text.size()))));
    size_t index = 0;
    for (size_t at = text.find(L"\r\n"); at < caret; at = text.find(L"\r\n", at + 2)) {
        ++index;
    }
    m_view.OnPickText(index);
}

// At the pointer, or at the caret when the keyboard asked (Shift+F10, the menu key).
void CFormDialog::ShowTextListMenu(HWND list, LPARAM point) {
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    if (point == -1) {
        GetCaretPos(&at);
        ClientToScreen(list, &at);
    }
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEXT_LIST_MENU));
    const int command = TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                       at.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    switch (command) {
        case ID_PICK_TEXT:
            PickCaretText(list);
            break;
        case ID_EDIT_COPY:
            SendMessageW(list, WM_COPY, 0, 0);
            break;
        case ID_EDIT_SELECT_ALL:
            SendMessageW(list, EM_SETSEL, 0, -1);
            break;
        default:
            break;
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

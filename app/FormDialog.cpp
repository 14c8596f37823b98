#include "app/FormDialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdint>
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
    if (m_hScaledFont != nullptr) {
        DeleteObject(m_hScaledFont);
    }
}

HFONT CFormDialog::GetFont() const {
    return m_hScaledFont != nullptr
               ? m_hScaledFont
               : reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

// The dialog manager laid the controls out for the DPI of the form's creation; that layout is
// kept, and every later one scaled from it, so that repeated changes do not drift.
void CFormDialog::KeepLayout() {
    m_nLayoutDpi = GetDpiForWindow(m_hWnd);
    GetObjectW(GetFont(), sizeof(m_layoutFont), &m_layoutFont);
    for (HWND control = GetWindow(m_hWnd, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        m_controlLayout.emplace_back(control, place);
    }
}

void CFormDialog::ScaleTo(UINT dpi) {
    const auto scale = [&](LONG value) {
        return MulDiv(value, static_cast<int>(dpi), static_cast<int>(m_nLayoutDpi));
    };
    LOGFONTW font = m_layoutFont;
    font.lfHeight = scale(font.lfHeight);
    HFONT previous = m_hScaledFont;
    m_hScaledFont = CreateFontIndirectW(&font);
    for (const auto& [control, place] : m_controlLayout) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_hScaledFont), FALSE);
        MoveWindow(control, scale(place.left), scale(place.top), scale(place.right - place.left),
                   scale(place.bottom - place.top), TRUE);
    }
    if (previous != nullptr) {
        DeleteObject(previous);
    }
    // The controls moved off parts of the form that nothing else repaints.
    InvalidateRect(m_hWnd, nullptr, TRUE);
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
            KeepLayout();
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
            // Its word selection moves the caret, which the pick does not read.
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            form.PickText(list, LineStartAt(list, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
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

// The first character of the line under a point of the list's client area. EM_CHARFROMPOS gives
// only the low 16 bits of the line, which lies on the page that starts at the first visible line.
DWORD CFormDialog::LineStartAt(HWND list, POINT point) {
    const auto low = static_cast<uint16_t>(
        HIWORD(SendMessageW(list, EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y))));
    const auto first = static_cast<WPARAM>(SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0));
    const WPARAM line = first + static_cast<uint16_t>(low - static_cast<uint16_t>(first));
    return static_cast<DWORD>(SendMessageW(list, EM_LINEINDEX, line, 0));
}

// The logical line that holds a character, not a wrapped one: the texts are separated by CR LF,
// which no text holds, so the CR LFs before the character number its text.
void CFormDialog::PickText(HWND list, DWORD at) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(list)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(list, text.data(), static_cast<int>(text.size()))));
    size_t index = 0;
    for (size_t end = text.find(L"\r\n"); end < at; end = text.find(L"\r\n", end + 2)) {
        ++index;
    }
    m_view.OnPickText(index);
}

// At the pointer and for its line, or at the caret and for the caret's line when the keyboard
// asked (Shift+F10, the menu key): a right click does not move the caret.
void CFormDialog::ShowTextListMenu(HWND list, LPARAM point) {
    POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    DWORD picked = 0;
    if (point == -1) {
        SendMessageW(list, EM_GETSEL, reinterpret_cast<WPARAM>(&picked), 0);
        GetCaretPos(&at);
        ClientToScreen(list, &at);
    } else {
        POINT client = at;
        ScreenToClient(list, &client);
        picked = LineStartAt(list, client);
    }
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEXT_LIST_MENU));
    const int command = TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                       at.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    switch (command) {
        case ID_PICK_TEXT:
            PickText(list, picked);
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

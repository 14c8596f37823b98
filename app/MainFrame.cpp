#include "app/MainFrame.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "app/Vosk1App.h"
#include "res/resource.h"

namespace {
constexpr wchar_t kFrameClassName[] = L"Vosk1MainFrame";
}

CMainFrame::CMainFrame(CVosk1App& app, CVosk1View& view) : m_app(app), m_form(view) {}

bool CMainFrame::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.lpszClassName = kFrameClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    if (!RegisterWindowClass(wc)) {
        return false;
    }
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!CreateEx(0, kFrameClassName, L"", WS_OVERLAPPEDWINDOW, nullptr, menu)) {
        DestroyMenu(menu);
        return false;
    }
    m_hStatusBar =
        CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(IDC_STATUS_BAR), instance, nullptr);
    if (m_hStatusBar == nullptr || !m_form.Create(instance, IDD_VOSK1_FORM, m_hWnd)) {
        return false;
    }
    SetStatusBarFont();
    ResizeToFitForm();
    ShowWindow(m_form.GetSafeHwnd(), SW_SHOW);
    return true;
}

// The frame takes the form's size, within the work area of its monitor: the form grows with the
// DPI, and the default size of a new window may be smaller than it.
void CMainFrame::ResizeToFitForm() {
    RECT form;
    RECT frame;
    RECT client;
    GetWindowRect(m_form.GetSafeHwnd(), &form);
    GetWindowRect(m_hWnd, &frame);
    GetClientRect(m_hWnd, &client);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = std::min(work.right - work.left,
                                form.right - form.left + (frame.right - frame.left) - client.right);
    const LONG height =
        std::min(work.bottom - work.top, form.bottom - form.top + (frame.bottom - frame.top) -
                                             client.bottom + StatusBarHeight());
    const LONG left = std::clamp(frame.left, work.left, work.right - width);
    const LONG top = std::clamp(frame.top, work.top, work.bottom - height);
    SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The form's font, which holds the Japanese the status bar shows; the bar takes its new height.
void CMainFrame::SetStatusBarFont() {
    SendMessageW(m_hStatusBar, WM_SETFONT, reinterpret_cast<WPARAM>(m_form.GetFont()), FALSE);
    SendMessageW(m_hStatusBar, WM_SIZE, 0, 0);
}

LONG CMainFrame::StatusBarHeight() const {
    RECT bar{};
    GetWindowRect(m_hStatusBar, &bar);
    return bar.bottom - bar.top;
}

HWND CMainFrame::FocusedFormEdit() const {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(m_form.GetSafeHwnd(), focus)) {
        return nullptr;
    }
    wchar_t className[16];
    const int length = GetClassNameW(focus, className, static_cast<int>(std::size(className)));
    return length > 0 && _wcsicmp(className, L"Edit") == 0 ? focus : nullptr;
}

void CMainFrame::OnCommand(int id) {
    if (m_form.OnCommand(id) || OnFrameCommand(id)) {
        return;
    }
    m_app.OnCommand(id);
}

bool CMainFrame::OnFrameCommand(int id) {
    UINT editMessage = 0;
    switch (id) {
        case ID_APP_EXIT:
            PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
            return true;
        // The accelerator table binds the clipboard keys to these commands; the cells still
        // get what the keys would have done.
        case ID_EDIT_COPY:
            editMessage = WM_COPY;
            break;
        case ID_EDIT_CUT:
            editMessage = WM_CUT;
            break;
        case ID_EDIT_PASTE:
            editMessage = WM_PASTE;
            break;
        case ID_EDIT_UNDO:
            editMessage = WM_UNDO;
            break;
        default:
            return false;
    }
    if (HWND edit = FocusedFormEdit()) {
        SendMessageW(edit, editMessage, 0, 0);
    }
    return true;
}

// The form and the status bar take the new font first, so that the frame's new size lays them
// out as they will be drawn.
void CMainFrame::OnDpiChanged(UINT dpi, const RECT& suggested) {
    m_form.ScaleTo(dpi);
    SetStatusBarFont();
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_SIZE:
            // The status bar places itself along the bottom edge; the form takes the rest.
            SendMessageW(m_hStatusBar, WM_SIZE, 0, 0);
            MoveWindow(m_form.GetSafeHwnd(), 0, 0, LOWORD(lParam),
                       std::max<LONG>(HIWORD(lParam) - StatusBarHeight(), 0), TRUE);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(m_form.GetSafeHwnd(), focus)) {
                    m_hWndLastFocus = focus;
                }
            }
            return Default(message, wParam, lParam);
        case WM_SETFOCUS:
            if (m_hWndLastFocus != nullptr && IsWindow(m_hWndLastFocus)) {
                SetFocus(m_hWndLastFocus);
            } else if (HWND first = GetNextDlgTabItem(m_form.GetSafeHwnd(), nullptr, FALSE)) {
                SetFocus(first);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

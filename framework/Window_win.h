#pragma once

#include <windows.h>

// A window whose messages go to a member function. The static procedure keeps `this` in the
// window's user data from WM_NCCREATE on; it is noexcept, so an exception that escaped a handler
// ends the program instead of unwinding through the window system.
class CBaseWindow {
public:
    CBaseWindow() = default;
    CBaseWindow(const CBaseWindow&) = delete;
    CBaseWindow& operator=(const CBaseWindow&) = delete;
    virtual ~CBaseWindow() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    // wc names the class and its look; the procedure is WindowProc.
    static bool RegisterWindowClass(WNDCLASSEXW wc);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  HWND parent, HMENU menu);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;
};

// A dialog built from a template, modeless or modal, whose messages go to a member function;
// `this` is kept from WM_INITDIALOG on. HandleMessage answers like a dialog procedure.
class CBaseDialog {
public:
    CBaseDialog() = default;
    CBaseDialog(const CBaseDialog&) = delete;
    CBaseDialog& operator=(const CBaseDialog&) = delete;
    virtual ~CBaseDialog() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }

    bool Create(HINSTANCE instance, int templateId, HWND parent);
    INT_PTR DoModal(HINSTANCE instance, int templateId, HWND parent);

protected:
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;
};

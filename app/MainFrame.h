#pragma once

#include "app/FormDialog.h"
#include "framework/Window_win.h"

class CVosk1App;
class CVosk1View;

// The main window: a standard overlapped window with menu 128 whose client area is the form above
// a status bar.
// Commands go to the view first, then to the frame, then to the application.
class CMainFrame : public CBaseWindow {
public:
    CMainFrame(CVosk1App& app, CVosk1View& view);

    // Creates the frame hidden, with the form inside, shrunk to fit the form.
    bool Create(HINSTANCE instance);
    HWND GetFormHwnd() const { return m_form.GetSafeHwnd(); }
    HWND GetStatusBarHwnd() const { return m_hStatusBar; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(int id);
    bool OnFrameCommand(int id);
    void ResizeToFitForm();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void SetStatusBarFont();
    LONG StatusBarHeight() const;
    // The focused control of the form, when it is an edit control.
    HWND FocusedFormEdit() const;

    CVosk1App& m_app;
    CFormDialog m_form;
    HWND m_hStatusBar = nullptr;
    HWND m_hWndLastFocus = nullptr;  // restored when the frame is activated again
};

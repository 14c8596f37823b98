#pragma once

#include <utility>
#include <vector>

#include "framework/Window_win.h"

class CVosk1View;

// The form window, dialog 101 as a child of the main frame; it hands the buttons, the table
// commands, the focus and changes of its cells, the texts picked from the list and the colour
// requests of its cells to the view.
class CFormDialog : public CBaseDialog {
public:
    explicit CFormDialog(CVosk1View& view);
    ~CFormDialog() override;

    // New, Open, Save, Save As and the match options; false for a command the view does not
    // handle.
    bool OnCommand(int id);
    // The font of the form's controls.
    HFONT GetFont() const;
    // Lays the controls out again, and sets their font, for a new DPI of the form's monitor.
    void ScaleTo(UINT dpi);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void KeepLayout();
    INT_PTR OnControlCommand(int id, int code);
    INT_PTR OnCtlColorEdit(HDC dc, HWND control, WPARAM wParam, LPARAM lParam);
    // The list takes double-clicks and its context menu here, and its other messages as before.
    static LRESULT CALLBACK TextListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) noexcept;
    static DWORD LineStartAt(HWND list, POINT point);
    void PickText(HWND list, DWORD at);
    void ShowTextListMenu(HWND list, LPARAM point);

    CVosk1View& m_view;
    HBRUSH m_hShadedBrush;  // made once: colour requests come with every paint
    UINT m_nLayoutDpi = USER_DEFAULT_SCREEN_DPI;
    LOGFONTW m_layoutFont{};
    std::vector<std::pair<HWND, RECT>> m_controlLayout;  // in the form's client coordinates
    HFONT m_hScaledFont = nullptr;                       // null until the DPI changes
};

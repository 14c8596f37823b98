#pragma once

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

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    INT_PTR OnControlCommand(int id, int code);
    INT_PTR OnCtlColorEdit(HDC dc, HWND control, WPARAM wParam, LPARAM lParam);
    // The list takes double-clicks and its context menu here, and its other messages as before.
    static LRESULT CALLBACK TextListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) noexcept;
    void PickCaretText(HWND list);
    void ShowTextListMenu(HWND list, LPARAM point);

    CVosk1View& m_view;
    HBRUSH m_hShadedBrush;  // made once: colour requests come with every paint
};

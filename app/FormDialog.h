#pragma once

#include "framework/Window_win.h"

class CVosk1View;

// The form window, dialog 101 as a child of the main frame; it hands the buttons, the table
// commands and the colour requests of its cells to the view.
class CFormDialog : public CBaseDialog {
public:
    explicit CFormDialog(CVosk1View& view);
    ~CFormDialog() override;

    // New, Open, Save and Save As; false for a command the view does not handle.
    bool OnCommand(int id);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    INT_PTR OnCtlColorEdit(HDC dc, HWND control, WPARAM wParam, LPARAM lParam);

    CVosk1View& m_view;
    HBRUSH m_hShadedBrush;  // made once: colour requests come with every paint
};

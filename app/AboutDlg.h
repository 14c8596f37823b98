#pragma once

#include "framework/Window_win.h"

// The version box, dialog 100; it closes with OK, Enter or Escape.
class CAboutDlg : public CBaseDialog {
protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

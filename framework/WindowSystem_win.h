#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "editor/WindowSystem.h"

// The form's window system on Win32: cells are the children of the form, the caption and the
// close request go to the main window. Text crosses into the wide API as code page 932 whatever
// the system's ANSI code page is.
class CWin32WindowSystem : public CWindowSystem {
public:
    // appTitle is the caption of message boxes and the end of the main window's caption.
    explicit CWin32WindowSystem(std::wstring appTitle);

    // The windows appear after the view that uses this object has been built.
    void Attach(HWND mainWindow, HWND form, HWND statusBar);
    // Shows "<title> - <application title>" in the main window's caption.
    void SetCaptionTitle(std::wstring_view title);

    std::optional<std::string> GetControlText(int id) override;
    void SetControlText(int id, const std::string& text) override;
    void FocusControl(int id) override;
    void SetStatusText(const std::string& text) override;
    int ShowMessageBox(const std::string& text, unsigned type) override;
    FileChoice ShowOpenDialog(const FileDialogOptions& options) override;
    FileChoice ShowSaveDialog(const FileDialogOptions& options) override;
    void SetMenuCheck(int id, bool checked) override;
    void SetMenuRadio(int first, int last, int chosen) override;
    void SetTitle(const std::string& title) override;
    void PostCloseRequest() override;

private:
    FileChoice ShowFileDialog(const FileDialogOptions& options, bool save);

    std::wstring m_strAppTitle;
    HWND m_hMainWindow = nullptr;
    HWND m_hForm = nullptr;
    HWND m_hStatusBar = nullptr;
};

// "name|pattern|...||" as the file dialogs want it: the same text with every "|" a NUL. The bar
// is replaced after the conversion, since 0x7C is also the second byte of some Shift-JIS
// characters.
std::wstring DialogFilterFromBars(std::string_view filter);

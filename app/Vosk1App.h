#pragma once

#include <memory>

#include "app/MainFrame.h"
#include "engine/Vosk1Doc.h"
#include "framework/WindowSystem_win.h"

class CVosk1View;

// The application: builds the one document, main frame and form, and runs the message loop.
class CVosk1App {
public:
    explicit CVosk1App(HINSTANCE instance);
    ~CVosk1App();

    // False when the main window could not be made; the program then ends.
    bool InitInstance();
    int Run();

    // Commands that neither the form nor the frame took.
    void OnCommand(int id);

private:
    void OnAppAbout();

    HINSTANCE m_hInstance;
    CWin32WindowSystem m_windows;
    CVosk1Doc m_doc;
    std::unique_ptr<CVosk1View> m_pView;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    HACCEL m_hAccelTable = nullptr;
};

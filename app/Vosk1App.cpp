#include "app/Vosk1App.h"

#include "base/FileSystem.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/AboutDlg.h"
#include "base/Cp932_win.h"
#include "editor/Vosk1View.h"
#include "res/resource.h"

namespace {

std::wstring LoadResourceString(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size the string is returned in place, without its terminator.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The first argument after the program name, split by the usual rules; empty when there is
// none, or when it holds a character Shift-JIS cannot (no run parameter does).
std::string FirstArgument() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return {};
    }
    std::string first;
    if (count > 1) {
        first = Cp932FromWide(arguments[1]).value_or(std::string());
    }
    LocalFree(arguments);
    return first;
}

}  // namespace

CVosk1App::CVosk1App(HINSTANCE instance)
    : m_hInstance(instance), m_windows(LoadResourceString(instance, IDS_APP_TITLE)) {}

CVosk1App::~CVosk1App() = default;

bool CVosk1App::InitInstance() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    m_hAccelTable = LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_pView = std::make_unique<CVosk1View>(m_windows, m_doc, GetProgramPath());
    m_pMainFrame = std::make_unique<CMainFrame>(*this, *m_pView);
    if (!m_pMainFrame->Create(m_hInstance)) {
        return false;
    }
    m_windows.Attach(m_pMainFrame->GetSafeHwnd(), m_pMainFrame->GetFormHwnd(),
                     m_pMainFrame->GetStatusBarHwnd());
    m_windows.SetCaptionTitle(LoadResourceString(m_hInstance, IDS_UNTITLED));
    m_doc.OnNewDocument(FirstArgument());
    m_pView->OnInitialUpdate();
    ShowWindow(m_pMainFrame->GetSafeHwnd(), SW_SHOW);
    UpdateWindow(m_pMainFrame->GetSafeHwnd());
    return true;
}

int CVosk1App::Run() {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        HWND frame = m_pMainFrame->GetSafeHwnd();
        if (frame != nullptr && TranslateAcceleratorW(frame, m_hAccelTable, &msg)) {
            continue;
        }
        HWND form = m_pMainFrame->GetFormHwnd();
        if (form != nullptr && IsDialogMessageW(form, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CVosk1App::OnCommand(int id) {
    if (id == ID_APP_ABOUT) {
        OnAppAbout();
    }
}

void CVosk1App::OnAppAbout() {
    CAboutDlg about;
    about.DoModal(m_hInstance, IDD_ABOUTBOX, m_pMainFrame->GetSafeHwnd());
}

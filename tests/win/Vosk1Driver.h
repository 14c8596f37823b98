#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

// Polls until condition holds or the deadline passes, and says whether it held. Generous: a cold
// Wine on a loaded machine takes seconds to show a first window.
inline bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

// Sent to a window of another process with a deadline; 0 when it does not answer in time.
inline LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    Send(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

inline void SetText(HWND window, const std::wstring& text) {
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted rather than sent: a click may open a modal box, whose loop would wait for this driver.
inline void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Vosk1.exe of a directory, started there with "/P1" and driven through window messages only, as
// a host program would.
class Vosk1Driver {
public:
    explicit Vosk1Driver(const std::filesystem::path& directory) {
        const std::filesystem::path program = directory / L"Vosk1.exe";
        std::wstring commandLine = L"\"" + program.wstring() + L"\" /P1";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.c_str(), &startup, &m_process);
        // It is shown after the form's first refresh; the program's dialogs have no menu.
        m_hMainWindow = WaitForWindow([](HWND window) { return GetMenu(window) != nullptr; });
    }
    ~Vosk1Driver() {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Vosk1Driver(const Vosk1Driver&) = delete;
    Vosk1Driver& operator=(const Vosk1Driver&) = delete;

    // Null when the program did not show it in time.
    HWND MainWindow() const { return m_hMainWindow; }
    // A control of the form, which fills the main window.
    HWND Cell(int id) const {
        return GetDlgItem(FindWindowExW(m_hMainWindow, nullptr, L"#32770", nullptr), id);
    }
    // A menu or accelerator command, as the main window receives it.
    void Command(WPARAM id) const { PostMessageW(m_hMainWindow, WM_COMMAND, id, 0); }

    // The first shown top-level window of the program for which accept holds; null at the deadline.
    HWND WaitForWindow(const std::function<bool(HWND)>& accept) const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (found = GetTopWindow(nullptr); found != nullptr;
                 found = GetWindow(found, GW_HWNDNEXT)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == m_process.dwProcessId && IsWindowVisible(found) && accept(found)) {
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    // The exit code; STILL_ACTIVE when the program still runs at the deadline.
    DWORD WaitForExit() const {
        WaitUntil([this] { return WaitForSingleObject(m_process.hProcess, 0) != WAIT_TIMEOUT; });
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_process{};
    HWND m_hMainWindow = nullptr;
};

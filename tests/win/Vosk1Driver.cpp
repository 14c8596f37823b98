#include "tests/win/Vosk1Driver.h"

#include <chrono>
#include <thread>
#include <vector>

namespace {

// Generous: a cold Wine on a loaded CI machine takes seconds to show a first window.
constexpr auto kTimeout = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr UINT kMessageTimeoutMs = 5000;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

struct TopLevelSearch {
    DWORD processId;
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK AcceptTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && (*search->accept)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& accept) {
    TopLevelSearch search{processId, &accept, nullptr};
    EnumWindows(AcceptTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

Vosk1Driver::Vosk1Driver(const std::filesystem::path& program, const std::wstring& arguments,
                         const std::filesystem::path& directory) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &m_process)) {
        m_process = {};
    }
}

Vosk1Driver::~Vosk1Driver() {
    if (!Started()) {
        return;
    }
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, INFINITE);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Vosk1Driver::WaitForMainWindow() {
    WaitUntil([this] {
        m_hMainWindow = FindTopLevel(m_process.dwProcessId, [](HWND window) {
            return ClassOf(window) == L"Vosk1MainFrame";
        });
        return m_hMainWindow != nullptr;
    });
    return m_hMainWindow;
}

HWND Vosk1Driver::WaitForDialog(const std::function<bool(HWND)>& accept) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindTopLevel(m_process.dwProcessId, [&](HWND window) {
            return ClassOf(window) == L"#32770" && accept(window);
        });
        return dialog != nullptr;
    });
    return dialog;
}

bool Vosk1Driver::WaitUntilGone(HWND window) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::optional<DWORD> Vosk1Driver::WaitForExit() {
    const DWORD waitMs =
        static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(kTimeout).count());
    if (!Started() || WaitForSingleObject(m_process.hProcess, waitMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

HWND Vosk1Driver::Form() const {
    return FindWindowExW(m_hMainWindow, nullptr, L"#32770", nullptr);
}

void Vosk1Driver::PostCommand(int id) const {
    PostMessageW(m_hMainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Vosk1Driver::Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

std::wstring Vosk1Driver::TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
        return L"<no answer>";
    }
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
    return std::wstring(text.data(), copied);
}

std::wstring Vosk1Driver::WaitForText(HWND window, const std::wstring& expected) {
    std::wstring text;
    WaitUntil([&] {
        text = TextOf(window);
        return text == expected;
    });
    return text;
}

void Vosk1Driver::SetTextOf(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result);
}

COLORREF Vosk1Driver::ScreenColorAtRightEdge(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    POINT point{client.right - 2, client.bottom / 2};
    ClientToScreen(control, &point);
    // A window of another process cannot be read through its own DC; the screen can.
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

#include <windows.h>

#include <cstdio>
#include <string>

// Starts a program in a directory and prints the milliseconds until it shows a window that
// answers a message: for Vosk1.exe, the form filled with the table and the drawing's texts.
//   vosk1-startup-probe DIR COMMAND-LINE
namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK TakeShownWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: vosk1-startup-probe DIR COMMAND-LINE\n", stderr);
        return 2;
    }
    std::wstring commandLine = argv[2];
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[1],
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start: error %lu\n", GetLastError());
        return 1;
    }
    Search search{process.dwProcessId, nullptr};
    DWORD_PTR result = 0;
    for (;;) {
        search.found = nullptr;
        EnumWindows(TakeShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr &&
            SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result) != 0) {
            break;
        }
        if (WaitForSingleObject(process.hProcess, 2) == WAIT_OBJECT_0) {
            std::fputs("the program ended before it showed a window\n", stderr);
            return 1;
        }
    }
    QueryPerformanceCounter(&now);
    std::printf("%lld\n", (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

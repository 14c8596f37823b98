#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Vosk1.exe started in a directory of the test's and driven through window messages only, the
// way a host program or a user would: commands and clicks posted, texts set and read. Every wait
// polls up to a deadline.
class Vosk1Driver {
public:
    Vosk1Driver(const std::filesystem::path& program, const std::wstring& arguments,
                const std::filesystem::path& directory);
    ~Vosk1Driver();
    Vosk1Driver(const Vosk1Driver&) = delete;
    Vosk1Driver& operator=(const Vosk1Driver&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }

    // The main window once it is shown, which is after the form's first refresh; null on timeout.
    HWND WaitForMainWindow();
    // A shown dialog or message box of the program for which accept holds; null on timeout.
    HWND WaitForDialog(const std::function<bool(HWND)>& accept);
    bool WaitUntilGone(HWND window);
    // The exit code; nullopt while the program still runs at the deadline.
    std::optional<DWORD> WaitForExit();

    HWND Form() const;
    HWND Control(int id) const { return GetDlgItem(Form(), id); }
    // A menu or accelerator command, as the main window receives it.
    void PostCommand(int id) const;

    // Posted rather than sent: a click may open a modal box, whose loop waits for this driver.
    static void Click(HWND button);
    static std::wstring TextOf(HWND window);
    // The text once it is the expected one, or as it stands at the deadline.
    static std::wstring WaitForText(HWND window, const std::wstring& expected);
    static void SetTextOf(HWND window, const std::wstring& text);
    // The colour on screen at the middle of the right edge of a control's client area.
    static COLORREF ScreenColorAtRightEdge(HWND control);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_hMainWindow = nullptr;
};

// Polls until condition holds or the deadline has passed; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition);

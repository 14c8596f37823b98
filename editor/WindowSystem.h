#pragma once

#include <optional>
#include <string>

// Message box type words and answers, with the values the window system gives them.
enum MessageBoxType : unsigned {
    kMbOk = 0x00,
    kMbYesNo = 0x04,
    kMbIconStop = 0x10,
    kMbIconInformation = 0x40,
};
enum MessageBoxAnswer : int { kIdOk = 1, kIdYes = 6, kIdNo = 7 };

struct FileDialogOptions {
    std::string initialName;  // Shift-JIS
    std::string filter;       // "name|pattern|name|pattern||", Shift-JIS
    bool overwritePrompt = false;
};

// What a file dialog ended with.
struct FileChoice {
    enum class Outcome { chosen, cancelled, unrepresentable };
    Outcome outcome = Outcome::cancelled;
    std::string path;  // chosen: the full path, Shift-JIS
};

// Everything the form and its commands ask of the window system. Every string is Shift-JIS.
// The Win32 implementation converts to UTF-16 at the call; the headless one in the tests
// records what was shown and answers from a script.
class CWindowSystem {
public:
    virtual ~CWindowSystem() = default;

    // The full text of a control; nullopt when it holds a character Shift-JIS cannot represent.
    virtual std::optional<std::string> GetControlText(int id) = 0;
    virtual void SetControlText(int id, const std::string& text) = 0;
    // Moves the keyboard focus to a control of the form.
    virtual void FocusControl(int id) = 0;
    // The text of the main window's status bar.
    virtual void SetStatusText(const std::string& text) = 0;

    // Modal box with the application title as caption; returns the answer (kIdOk, kIdYes, ...).
    virtual int ShowMessageBox(const std::string& text, unsigned type) = 0;

    // A name that Shift-JIS cannot hold is unrepresentable: the form says so itself.
    virtual FileChoice ShowOpenDialog(const FileDialogOptions& options) = 0;
    virtual FileChoice ShowSaveDialog(const FileDialogOptions& options) = 0;

    // Checks or clears an item of the main window's menu; the radio form checks the chosen item
    // of the items first to last, with a dot, and clears the others.
    virtual void SetMenuCheck(int id, bool checked) = 0;
    virtual void SetMenuRadio(int first, int last, int chosen) = 0;

    // The document title; the main window shows "<title> - Vosk2".
    virtual void SetTitle(const std::string& title) = 0;
    // Asks the main window to close once the current command has returned.
    virtual void PostCloseRequest() = 0;
};

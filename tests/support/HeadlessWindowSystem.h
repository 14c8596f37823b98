#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/WindowSystem.h"

// A window system without windows: it records what the program shows and answers its questions
// and file dialogs from scripts. Changes of the current directory are real, since the program
// opens files by bare name.
class HeadlessWindowSystem : public WindowSystem {
public:
    struct Message {
        std::string text;
        unsigned type;
    };
    enum class DialogKind { open, save };
    struct Dialog {
        DialogKind kind;
        FileDialogOptions options;
    };

    std::optional<std::string> GetControlText(int id) override;
    void SetControlText(int id, const std::string& text) override;
    int ShowMessageBox(const std::string& text, unsigned type) override;
    std::optional<std::string> ShowOpenDialog(const FileDialogOptions& options) override;
    std::optional<std::string> ShowSaveDialog(const FileDialogOptions& options) override;
    void SetTitle(const std::string& title) override;
    void PostCloseRequest() override;
    void SetCurrentDirectory(const std::string& dir) override;
    std::string GetProgramPath() override;

    // The text of a cell, empty when nothing was set.
    std::string Cell(int id) const;

    // Scripts, taken from the front. A box with only an OK button needs no answer. A box or a
    // dialog shown with its script empty is counted in unscripted and answered No or cancelled.
    std::deque<int> questionAnswers;
    std::deque<std::optional<std::string>> dialogAnswers;
    int unscripted = 0;

    std::map<int, std::string> cells;
    std::set<int> unrepresentableCells;  // read as holding a character Shift-JIS cannot represent
    std::string programPath;

    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    std::vector<std::string> titles;
    std::vector<std::string> directoryChanges;
    int closeRequests = 0;

private:
    std::optional<std::string> AnswerDialog(DialogKind kind, const FileDialogOptions& options);
};

#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/WindowSystem.h"

// A window system without windows: it records what the program shows and answers its questions
// and file dialogs from a script. Changes of the current directory are real, since the program
// opens files by bare name.
class CHeadlessWindowSystem : public CWindowSystem {
public:
    std::optional<std::string> GetControlText(int id) override {
        return unrepresentableCells.contains(id) ? std::nullopt : std::optional(cells[id]);
    }
    void SetControlText(int id, const std::string& text) override {
        cells[id] = text;
        unrepresentableCells.erase(id);
    }
    void FocusControl(int id) override { focus = id; }
    void SetStatusText(const std::string& text) override { status = text; }
    int ShowMessageBox(const std::string& text, unsigned type) override {
        messages.emplace_back(text, type);
        return (type & 0x0F) == kMbOk ? kIdOk : Next("") == "yes" ? kIdYes : kIdNo;
    }
    FileChoice ShowOpenDialog(const FileDialogOptions& options) override {
        dialogs.push_back(options);
        return Choice(Next("open:"));
    }
    FileChoice ShowSaveDialog(const FileDialogOptions& options) override {
        dialogs.push_back(options);
        return Choice(Next("save:"));
    }
    void SetTitle(const std::string& title) override { titles.push_back(title); }
    void PostCloseRequest() override { ++closeRequests; }

    // Taken from the front: "yes" or "no" for a question, "open:<path>" or "save:<path>" for a
    // file dialog, cancelled by an empty path; boxes with only OK take none. A question or dialog
    // whose answer is not next counts in unscripted and gets No or cancel.
    std::deque<std::string> answers;
    int unscripted = 0;

    std::map<int, std::string> cells;
    std::set<int> unrepresentableCells;  // read as holding a character Shift-JIS cannot represent

    std::vector<std::pair<std::string, unsigned>> messages;  // text and type
    std::vector<FileDialogOptions> dialogs;
    std::vector<std::string> titles;
    int focus = 0;
    std::string status;
    int closeRequests = 0;

private:
    static FileChoice Choice(std::optional<std::string> path) {
        return path ? FileChoice{FileChoice::Outcome::chosen, std::move(*path)} : FileChoice{};
    }
    std::optional<std::string> Next(const std::string& kind) {
        if (answers.empty() || !answers.front().starts_with(kind)) {
            ++unscripted;
            return std::nullopt;
        }
        std::string answer = answers.front().substr(kind.size());
        answers.pop_front();
        return answer.empty() ? std::nullopt : std::optional(answer);
    }
};

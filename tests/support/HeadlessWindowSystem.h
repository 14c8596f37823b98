#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "editor/WindowSystem.h"

// A message box the program is expected to show, and the button that closes it.
struct Box {
    std::string text;
    unsigned type = kMbOk | kMbIconStop;
    int answer = kIdOk;
};

// A file dialog the program is expected to show, and how it ends: cancelled without a path.
template <bool kSave>
struct Dialog {
    std::string path;
    FileChoice::Outcome outcome =
        path.empty() ? FileChoice::Outcome::cancelled : FileChoice::Outcome::chosen;
};
using Open = Dialog<false>;
using Save = Dialog<true>;
using Interaction = std::variant<Box, Open, Save>;

// A window system without windows. Each box and file dialog must be the next one of the script,
// which answers it: any other, and any left in the script at the end, fails the test. Changes of
// the current directory are real, since the program opens files by bare name.
class CHeadlessWindowSystem : public CWindowSystem {
public:
    explicit CHeadlessWindowSystem(const std::vector<Interaction>& script)
        : m_script(script.begin(), script.end()) {}
    ~CHeadlessWindowSystem() override {
        for (const Interaction& left : m_script) {
            ADD_FAILURE() << "not shown: " << Describe(left);
        }
    }

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
        return Take(Box{text, type}).value_or(Box{"", 0, kIdNo}).answer;
    }
    FileChoice ShowOpenDialog(const FileDialogOptions& options) override {
        return Choose<Open>(options);
    }
    FileChoice ShowSaveDialog(const FileDialogOptions& options) override {
        return Choose<Save>(options);
    }
    void SetMenuCheck(int id, bool checked) override { menuChecks[id] = checked; }
    void SetMenuRadio(int first, int last, int chosen) override {
        for (int id = first; id <= last; ++id) {
            menuChecks[id] = id == chosen;
        }
    }
    void SetTitle(const std::string& text) override { title = text; }
    void PostCloseRequest() override { ++closeRequests; }

    std::map<int, std::string> cells;
    std::set<int> unrepresentableCells;  // read as holding a character Shift-JIS cannot represent
    std::vector<FileDialogOptions> dialogs;
    std::map<int, bool> menuChecks;
    std::string title;
    int focus = 0;
    std::string status;
    int closeRequests = 0;

private:
    static std::string Describe(const Interaction& shown) {
        if (const Box* box = std::get_if<Box>(&shown)) {
            return "box " + std::to_string(box->type) + " \"" + box->text + "\"";
        }
        return std::holds_alternative<Save>(shown) ? "save dialog" : "open dialog";
    }
    template <class Kind>
    FileChoice Choose(const FileDialogOptions& options) {
        dialogs.push_back(options);
        const std::optional<Kind> dialog = Take(Kind{});
        return dialog ? FileChoice{dialog->outcome, dialog->path} : FileChoice{};
    }
    // The next of the script when it is what was shown, a box of the same text and type or a
    // dialog of the same kind.
    template <class Kind>
    std::optional<Kind> Take(const Kind& shown) {
        const std::string next = m_script.empty() ? "nothing" : Describe(m_script.front());
        if (next != Describe(shown)) {
            ADD_FAILURE() << "unexpected " << Describe(shown) << ", expected " << next;
            return std::nullopt;
        }
        const Kind taken = std::get<Kind>(m_script.front());
        m_script.pop_front();
        return taken;
    }

    std::deque<Interaction> m_script;
};

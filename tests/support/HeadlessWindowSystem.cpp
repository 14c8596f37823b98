#include "tests/support/HeadlessWindowSystem.h"

#include "framework/FileSystem.h"

std::optional<std::string> HeadlessWindowSystem::GetControlText(int id) {
    if (unrepresentableCells.contains(id)) {
        return std::nullopt;
    }
    return Cell(id);
}

void HeadlessWindowSystem::SetControlText(int id, const std::string& text) {
    cells[id] = text;
    unrepresentableCells.erase(id);
}

int HeadlessWindowSystem::ShowMessageBox(const std::string& text, unsigned type) {
    messages.push_back({text, type});
    if ((type & 0x0F) == kMbOk) {
        return kIdOk;
    }
    if (questionAnswers.empty()) {
        ++unscripted;
        return kIdNo;
    }
    const int answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessWindowSystem::ShowOpenDialog(const FileDialogOptions& options) {
    return AnswerDialog(DialogKind::open, options);
}

std::optional<std::string> HeadlessWindowSystem::ShowSaveDialog(const FileDialogOptions& options) {
    return AnswerDialog(DialogKind::save, options);
}

std::optional<std::string> HeadlessWindowSystem::AnswerDialog(DialogKind kind,
                                                              const FileDialogOptions& options) {
    dialogs.push_back({kind, options});
    if (dialogAnswers.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    std::optional<std::string> answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

void HeadlessWindowSystem::SetTitle(const std::string& title) {
    titles.push_back(title);
}

void HeadlessWindowSystem::PostCloseRequest() {
    ++closeRequests;
}

void HeadlessWindowSystem::SetCurrentDirectory(const std::string& dir) {
    directoryChanges.push_back(dir);
    SetCurrentDir(dir);
}

std::string HeadlessWindowSystem::GetProgramPath() {
    return programPath;
}

std::string HeadlessWindowSystem::Cell(int id) const {
    const auto cell = cells.find(id);
    return cell == cells.end() ? std::string() : cell->second;
}

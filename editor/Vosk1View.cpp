#include "editor/Vosk1View.h"

#include <cmath>
#include <exception>
#include <optional>
#include <utility>

#include "base/FileException.h"
#include "base/FileSystem.h"
#include "editor/EditorTexts.h"
#include "engine/FieldSplitter.h"
#include "engine/MultiLineLayout.h"
#include "res/resource.h"
#include "tables/SettingsFiles.h"

namespace {

constexpr char kNewArrowCellText[] = "  ---> ";
constexpr int kLastShadedCell = IDC_BEFORE_FIRST + 2 * 14;

int BeforeCell(size_t row) {
    return IDC_BEFORE_FIRST + static_cast<int>(row);
}
int AfterCell(size_t row) {
    return IDC_AFTER_FIRST + static_cast<int>(row);
}
int ArrowCell(size_t row) {
    return IDC_ARROW_FIRST + static_cast<int>(row);
}

// The row of a before or after cell.
std::optional<size_t> RowOfCell(int controlId) {
    const int offset = controlId - IDC_BEFORE_FIRST;
    if (offset < 0 || offset >= 2 * ReplacementTable::kRowCount) {
        return std::nullopt;
    }
    return static_cast<size_t>(offset % ReplacementTable::kRowCount);
}

// Line `index` of lines that each end in CR LF. No text holds CR LF: the drawing's lines end at
// a line feed.
std::optional<std::string_view> NthLine(std::string_view lines, size_t index) {
    for (size_t end = lines.find("\r\n"); end != std::string_view::npos; end = lines.find("\r\n")) {
        if (index-- == 0) {
            return lines.substr(0, end);
        }
        lines.remove_prefix(end + 2);
    }
    return std::nullopt;
}

FileDialogOptions TableDialogOptions() {
    return {kTableDialogInitialName, kTableDialogFilter, true};
}

}  // namespace

bool IsShadedCell(int controlId) {
    return controlId >= IDC_BEFORE_FIRST && controlId <= kLastShadedCell &&
           (controlId - IDC_BEFORE_FIRST) % 2 == 0;
}

std::string ProgramDirectory(std::string_view programPath) {
    size_t end = 0;
    for (size_t i = 0; i < programPath.size(); ++i) {
        const auto byte = static_cast<unsigned char>(programPath[i]);
        if (byte == '\\') {
            end = i + 1;
        } else if (IsLeadByte(byte)) {
            ++i;
        }
    }
    return std::string(programPath.substr(0, end));
}

CVosk1View::CVosk1View(CWindowSystem& windows, CVosk1Doc& doc, std::string programPath)
    : m_windows(windows),
      m_doc(doc),
      m_strProgramPath(std::move(programPath)),
      m_errorSink(windows) {}

template <class Command>
void CVosk1View::RunCommand(const Command& command) noexcept {
    try {
        command();
    } catch (const CFileException& error) {
        m_windows.ShowMessageBox(CommandFileErrorReport(error), kMbOk | kMbIconStop);
    } catch (const std::exception&) {
        m_windows.ShowMessageBox(kUnexpectedError, kMbOk | kMbIconStop);
    }
}

void CVosk1View::OnInitialUpdate() noexcept {
    RunCommand([this] {
        m_strAppDir = ProgramDirectory(m_strProgramPath);
        LoadTable();
        RefreshForm();
    });
}

void CVosk1View::RefreshForm() {
    FillCells(kArrowCellText);
    m_windows.SetTitle(m_strTablePath);
    m_doc.CollectTexts(m_errorSink);
    m_windows.SetControlText(IDC_TEXT_LIST, m_doc.m_strPreview);
    ShowOptions();
    UpdateStatus();
}

// Each cell filled reports a change: the status is counted once, by the caller, afterwards.
void CVosk1View::FillCells(const char* arrowText) {
    m_bFillingCells = true;
    for (size_t i = 0; i < m_strTable.rows.size(); ++i) {
        m_windows.SetControlText(BeforeCell(i), m_strTable.rows[i].before);
        m_windows.SetControlText(ArrowCell(i), arrowText);
        m_windows.SetControlText(AfterCell(i), m_strTable.rows[i].after);
    }
    m_bFillingCells = false;
}

void CVosk1View::UpdateStatus() {
    std::string problem;
    if (std::optional<ReplacementTable> table = CellRows(problem)) {
        problem =
            StatusText(*table, m_nCurrentRow, CountReplacements(*table, m_doc.m_mapTextCounts));
    }
    m_windows.SetStatusText(problem);
}

void CVosk1View::LoadTable() {
    FieldSplitter splitter;
    try {
        m_strTablePath = ReadPointerFile();
        ReadTableFile(m_strTablePath, m_strTable, splitter);
    } catch (const CFileException& error) {
        m_windows.ShowMessageBox(TableLoadFailureReport(error), kMbOk | kMbIconStop);
        // A file that is there but is no table the program can take stays as it is: saving asks
        // for a name, as after New.
        if (error.m_cause == CFileException::Cause::badFormat ||
            error.m_cause == CFileException::Cause::tooLarge) {
            m_bNewTable = 1;
        }
    }
}

void CVosk1View::SaveTable() {
    WriteTableFile(m_strTablePath, m_strTable);
    SetCurrentDir(m_strAppDir);
}

void CVosk1View::WriteIniFile() {
    WritePointerFile(m_strTablePath);
}

void CVosk1View::ClearTable() {
    m_strTable = {};
    FillCells(kNewArrowCellText);
    m_bNewTable = 1;
    ShowOptions();
    UpdateStatus();
}

void CVosk1View::ShowOptions() {
    const MatchOptions& options = m_strTable.options;
    m_windows.SetMenuRadio(ID_MATCH_WHOLE, ID_MATCH_PART,
                           options.part ? ID_MATCH_PART : ID_MATCH_WHOLE);
    m_windows.SetMenuCheck(ID_IGNORE_WIDTH, options.ignoreWidth);
    m_windows.SetMenuCheck(ID_IGNORE_CASE, options.ignoreCase);
}

std::optional<ReplacementTable> CVosk1View::CellRows(std::string& problem) {
    ReplacementTable table;
    table.options = m_strTable.options;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        std::optional<std::string> before = m_windows.GetControlText(BeforeCell(i));
        std::optional<std::string> after = m_windows.GetControlText(AfterCell(i));
        if (!before || !after) {
            problem = UnrepresentableCellReport(static_cast<int>(i) + 1, before.has_value());
            return std::nullopt;
        }
        table.rows[i] = {std::move(*before), std::move(*after)};
    }
    return table;
}

bool CVosk1View::TakeCells() {
    std::string problem;
    std::optional<ReplacementTable> table = CellRows(problem);
    if (!table) {
        m_windows.ShowMessageBox(problem, kMbOk | kMbIconStop);
        return false;
    }
    m_strTable = std::move(*table);
    return true;
}

// The table is written before "Vosk.ini" names it, and the form takes the new path only once
// both are written.
void CVosk1View::SaveAs() {
    if (std::optional<std::string> path =
            ChosenPath(m_windows.ShowSaveDialog(TableDialogOptions()))) {
        SetCurrentDir(m_strAppDir);
        WriteTableFile(*path, m_strTable);
        WritePointerFile(*path);
        m_strTablePath = std::move(*path);
        m_bNewTable = 0;
    }
    m_windows.SetTitle(m_strTablePath);
}

std::optional<std::string> CVosk1View::ChosenPath(FileChoice choice) {
    if (choice.outcome == FileChoice::Outcome::unrepresentable) {
        m_windows.ShowMessageBox(kUnrepresentableFileName, kMbOk | kMbIconStop);
    }
    if (choice.outcome != FileChoice::Outcome::chosen) {
        return std::nullopt;
    }
    return std::move(choice.path);
}

void CVosk1View::OnFileNew() noexcept {
    RunCommand([this] { ClearTable(); });
}

void CVosk1View::OnFileOpen() noexcept {
    RunCommand([this] {
        std::optional<std::string> path =
            ChosenPath(m_windows.ShowOpenDialog(TableDialogOptions()));
        if (!path) {
            return;
        }
        // Nothing of the form changes before the table is read and "Vosk.ini" names it.
        SetCurrentDir(m_strAppDir);
        ReplacementTable table;
        FieldSplitter splitter;
        ReadTableFile(*path, table, splitter);
        WritePointerFile(*path);
        m_strTablePath = std::move(*path);
        m_strTable = std::move(table);
        m_bNewTable = 0;
        RefreshForm();
    });
}

void CVosk1View::OnFileSave() noexcept {
    RunCommand([this] {
        if (!TakeCells()) {
            return;
        }
        // Saving to the path kept from the last table would overwrite that table.
        if (m_bNewTable == 1) {
            SaveAs();
            return;
        }
        WriteIniFile();
        SaveTable();
    });
}

void CVosk1View::OnFileSaveAs() noexcept {
    RunCommand([this] {
        if (TakeCells()) {
            SaveAs();
        }
    });
}

void CVosk1View::OnConfirm() noexcept {
    RunCommand([this] {
        if (!std::isfinite(PitchFactor(m_doc.m_strParam))) {
            m_windows.ShowMessageBox(BadRunParameterReport(m_doc.m_strParam), kMbOk | kMbIconStop);
            return;
        }
        if (!TakeCells()) {
            return;
        }
        // Without "Vosk.ini" at the start the path is empty: the table has no file yet either.
        if (m_bNewTable == 1 || m_strTablePath.empty()) {
            if (m_windows.ShowMessageBox(kNewTableQuestion, kMbYesNo | kMbIconInformation) ==
                kIdYes) {
                m_bNewTable = 0;
                SaveAs();
            }
        } else {
            SaveTable();
        }
        // The pass reports its file errors as reading the drawing at the start does, not in the
        // framework's words of a failed command. Either way the form stays open, with no result,
        // so that the user can mend the cause and confirm again, or cancel.
        try {
            m_doc.RunReplacementPass(m_strTable);
        } catch (const CFileException& error) {
            m_errorSink.ReportFileError(error);
            return;
        }
        m_windows.PostCloseRequest();
    });
}

void CVosk1View::OnCancelButton() noexcept {
    RunCommand([this] { m_windows.PostCloseRequest(); });
}

void CVosk1View::OnMatchOption(int commandId) noexcept {
    RunCommand([&] {
        MatchOptions& options = m_strTable.options;
        switch (commandId) {
            case ID_MATCH_WHOLE:
                options.part = false;
                break;
            case ID_MATCH_PART:
                options.part = true;
                break;
            case ID_IGNORE_WIDTH:
                options.ignoreWidth = !options.ignoreWidth;
                break;
            case ID_IGNORE_CASE:
                options.ignoreCase = !options.ignoreCase;
                break;
            default:
                return;
        }
        ShowOptions();
        UpdateStatus();
    });
}

void CVosk1View::OnCellFocus(int controlId) noexcept {
    RunCommand([&] {
        if (std::optional<size_t> row = RowOfCell(controlId)) {
            m_nCurrentRow = *row;
            UpdateStatus();
        }
    });
}

void CVosk1View::OnCellChange(int controlId) noexcept {
    RunCommand([&] {
        if (!m_bFillingCells && RowOfCell(controlId)) {
            UpdateStatus();
        }
    });
}

// The text is the document's own bytes, not what the list shows converted back: the list shows
// those bytes, so its n-th line is the n-th text. The cell holds them as UTF-16, which Confirm
// converts back to the same bytes, since code page 932 maps each of its characters to a UTF-16
// character of its own; only the NEC-selected IBM extensions (0xED40 to 0xEEFC), which come back
// as their IBM codes, and bytes that form no character differ.
void CVosk1View::OnPickText(size_t index) noexcept {
    RunCommand([&] {
        if (std::optional<std::string_view> text = NthLine(m_doc.m_strPreview, index)) {
            m_windows.SetControlText(BeforeCell(m_nCurrentRow), std::string(*text));
            m_windows.FocusControl(AfterCell(m_nCurrentRow));
            UpdateStatus();
        }
    });
}

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/EditorMessages.h"
#include "editor/WindowSystem.h"
#include "engine/ReplacementTable.h"
#include "engine/Vosk1Doc.h"

// COLORREF of RGB(240, 240, 240), the background of the shaded cells.
inline constexpr std::uint32_t kShadedCellColor = 0xF0F0F0;

// The cells of rows 1, 3, 5, 7 and 9 in all three columns, ids 1015 + 2k for k = 0 to 14, which
// make the table striped.
bool IsShadedCell(int controlId);

// The path cut after its last backslash, which stays; empty when it holds none. The path is
// stepped through by Shift-JIS characters, so the trail byte 0x5C of a double-byte character is
// never taken for a backslash.
std::string ProgramDirectory(std::string_view programPath);

// The replacement table form: ten rows of a before, an arrow and an after cell, and the table
// commands. The command handlers report every error themselves: none of them throws.
class CVosk1View {
public:
    // programPath: the running program's full path, whose folder is the program directory.
    CVosk1View(CWindowSystem& windows, CVosk1Doc& doc, std::string programPath);
    CVosk1View(const CVosk1View&) = delete;
    CVosk1View& operator=(const CVosk1View&) = delete;

    void OnInitialUpdate() noexcept;
    void OnFileNew() noexcept;
    void OnFileOpen() noexcept;
    void OnFileSave() noexcept;
    void OnFileSaveAs() noexcept;
    void OnConfirm() noexcept;
    void OnCancelButton() noexcept;
    // The match option commands of the menu, by id; they change the table's options.
    void OnMatchOption(int commandId) noexcept;
    // A cell has taken the focus, or its text has changed; other controls are let be. The row
    // whose cell last had the focus is the current row, row 1 until one has.
    void OnCellFocus(int controlId) noexcept;
    void OnCellChange(int controlId) noexcept;
    // Puts text `index` (from 0) of the list into the before cell of the current row and moves
    // the focus to its after cell.
    void OnPickText(size_t index) noexcept;

    int m_bNewTable = 0;  // 1: New has cleared the table, which has no file of its own yet

private:
    // The rows into the cells, the table path into the title, and the drawing's texts into the
    // list.
    void RefreshForm();
    // Reads the table named in "Vosk.ini" in the current directory. A failure is reported and the
    // rows read until then are kept.
    void LoadTable();
    // Both throw CFileException. SaveTable ends in the program directory when it succeeds.
    void SaveTable();
    void WriteIniFile();
    template <class Command>
    void RunCommand(const Command& command) noexcept;
    void ClearTable();
    // The rows into the cells, with the arrow text given.
    void FillCells(const char* arrowText);
    // The table's options as the menu's checks.
    void ShowOptions();
    // The rows in the cells, with the table's options; nullopt when a cell holds a character
    // Shift-JIS cannot represent, and then problem says which.
    std::optional<ReplacementTable> CellRows(std::string& problem);
    // Takes the cells into the rows; false, after saying which cell, when one holds a character
    // Shift-JIS cannot represent, and then the rows are unchanged.
    bool TakeCells();
    // Shows in the status bar what Confirm would do with the rows in the cells.
    void UpdateStatus();
    void SaveAs();
    // The path of a dialog's choice; nullopt, after saying so when the name cannot be held, for
    // anything else.
    std::optional<std::string> ChosenPath(FileChoice choice);

    ReplacementTable m_strTable;
    std::string m_strAppDir;  // ends with a backslash
    std::string m_strTablePath;
    CWindowSystem& m_windows;
    CVosk1Doc& m_doc;
    std::string m_strProgramPath;
    size_t m_nCurrentRow = 0;
    bool m_bFillingCells = false;
    CMessageBoxErrorSink m_errorSink;
};

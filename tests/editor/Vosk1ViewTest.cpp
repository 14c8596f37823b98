#include "editor/Vosk1View.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "editor/EditorMessages.h"
#include "editor/EditorTexts.h"
#include "res/resource.h"
#include "tables/SettingsFiles.h"
#include "tests/support/HeadlessWindowSystem.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/SizeLimit.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(ProgramDirectoryTest, EndsAtTheLastBackslashSteppingOverDoubleByteCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\tools\\conv.exe", "C:\\tools\\"},
        {"C:\\\x95\x5C\\conv.exe", "C:\\\x95\x5C\\"},  // 表 ends in the byte of a backslash
        {"C:\\a\x95\x5C.exe", "C:\\"},
        {"C:\\\xB1\\conv.exe", "C:\\\xB1\\"},  // ｱ is one byte
        {"C:\\a\\\x95", "C:\\a\\"},            // a lead byte without its trail byte
        {"conv.exe", ""},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(ProgramDirectory(path), expected) << path;
    }
}

// %1 to %9 stand for the arguments by position; a placeholder without its argument stays.
TEST(FillFormatTest, PutsEachArgumentInItsPlace) {
    EXPECT_EQ(FillFormat("%2 of %1, %2", {"a", "b"}), "b of a, b");
    EXPECT_EQ(FillFormat("%1%3 100%", {"a", "b"}), "a%3 100%");
    EXPECT_EQ(FillFormat("\x8D\x73 %1", {"\x95\x5C"}), "\x8D\x73 \x95\x5C");
}

TEST(ShadedCellTest, AllThreeCellsOfTheOddRowsAreShaded) {
    for (int row = 1; row <= 10; ++row) {
        for (const int first : {IDC_BEFORE_FIRST, IDC_AFTER_FIRST, IDC_ARROW_FIRST}) {
            EXPECT_EQ(IsShadedCell(first + row - 1), row % 2 == 1) << first + row - 1;
        }
    }
    EXPECT_FALSE(IsShadedCell(IDC_BEFORE_FIRST - 1) || IsShadedCell(IDC_ARROW_FIRST + 10));
}

// The program directory; on POSIX a backslash separates nothing, so this is one name.
constexpr char kApp[] = "app\\";

// The lines of a table file, and empty rows up to ten.
std::string Table(std::string lines) {
    while (std::count(lines.begin(), lines.end(), '\n') < 10) {
        lines += " ---> \r\n";
    }
    return lines;
}

const std::string kTyped = Table("A ---> B\r\nZ ---> Y\r\n");
const std::string kTypedNew = Table(" ---> \r\nZ ---> Y\r\n");
const Box kYes{kNewTableQuestion, kMbYesNo | kMbIconInformation, kIdYes};
const Box kNo{kNewTableQuestion, kMbYesNo | kMbIconInformation, kIdNo};

Box Missing(const std::string& file, const char* then = "") {
    return {file + "\n " + kFileMissing + then};
}
// A framework message, whose format starts with "%1" for the file.
Box Framework(const std::string& file, const char* format) {
    return {file + (format + 2)};
}
Box Unrepresentable(const char* row, const char* column) {
    return {std::string(row) + kRowSuffix + column + kUnrepresentableText};
}
// The result of the pass in the program directory, its texts "A" and "Z" replaced by row1, row2.
std::pair<std::string, std::string> PassInApp(const char* row1, const char* row2) {
    return {"app/jwc_temp.txt",
            "hd\r\nch 0 0 1 0 \""s + row1 + "\r\nch 0 0 1 0 \"" + row2 + "\r\n"};
}
const std::pair<std::string, std::string> kPassInStart = {"jwc_temp.txt", "ch 0 0 1 0 \"S\r\n"};

// What the user does: types Z and Y into row 2, leaves in the after cell of row 3 or the before
// cell of row 10 what Shift-JIS cannot represent, picks the first text of the list, or gives a
// command.
enum class Step { type, badAfter, badBefore, pick, fileNew, open, save, saveAs, confirm };

// The arrow cells New leaves, with its flag still set or cleared by a save or the question.
enum class AfterNew { none, stillNew, notNew };

// A form started after setup, which takes the steps and sees the boxes and dialogs of the script.
// The start directory holds "Vosk.ini" naming "t.mse", with a line end the program would not
// write, that table and a drawing; the program directory holds a drawing of its own, which tells
// where the pass ran, and "x.mse". The other fields say what differs afterwards from a start
// without steps: files, named in the program directory as "app/<name>", and the form.
struct Scenario {
    std::string name;
    void (*setup)() = nullptr;
    const char* runParameter = "";
    FileFault fault = {};  // met by the files the steps read and write
    int focusRow = 0;      // the row whose after cell has the focus before the steps; 0: none
    std::vector<int> options = {};  // match option commands of the menu, given before the steps
    std::vector<Step> steps = {};
    std::vector<Interaction> script = {};
    std::map<std::string, std::string> files = {};
    AfterNew afterNew = AfterNew::none;
    std::string title = "t.mse";
    std::string list = "S\r\n";
    bool closes = false;
    int focus = 0;                           // the cell the form last moved the focus to
    const char* menu = "1000";               // the match options checked: whole, part, width, case
    std::optional<std::string> status = {};  // the status bar; none: not looked at
};

class Vosk1ViewTest : public ScratchDirectoryTest {
protected:
    void Run(const std::vector<Scenario>& scenarios) {
        for (const Scenario& s : scenarios) {
            SCOPED_TRACE(s.name);
            fs::current_path(Directory());
            for (const auto& entry : fs::directory_iterator(Directory())) {
                fs::remove_all(entry.path());
            }
            fs::create_directory(kApp);
            WriteFile("temp.txt", "ch 0 0 1 0 \"S\r\n");
            WriteFile("Vosk.ini", "t.mse\r\n");
            WriteFile("t.mse", Table("A ---> B\r\n"));
            WriteFile(kApp + "/temp.txt"s, "hq\r\nch 0 0 1 0 \"A\r\nch 0 0 1 0 \"Z\r\n");
            WriteFile(kApp + "/x.mse"s, "X ---> Y");
            if (s.setup != nullptr) {
                s.setup();
            }
            std::map<std::string, std::string> expected = Snapshot(Directory());
            for (const auto& [name, bytes] : s.files) {
                // "app\\/<name>" in the snapshot on POSIX, where a backslash separates nothing.
                const bool inApp = name.starts_with("app/");
                expected[inApp ? (kApp / fs::path(name.substr(4))).generic_string() : name] = bytes;
            }
            expected.insert({{"flag", std::to_string(s.afterNew == AfterNew::stillNew)},
                             {"arrows", s.afterNew != AfterNew::none &&
                                                std::ranges::count(s.steps, Step::fileNew)
                                            ? "  ---> "
                                            : kArrowCellText},
                             {"title", s.title},
                             {"list", s.list},
                             {"closes", std::to_string(s.closes)},
                             {"focus", std::to_string(s.focus)},
                             {"menu", s.menu}});
            CHeadlessWindowSystem windows(s.script);
            CVosk1Doc doc;
            CVosk1View view(windows, doc, Directory().string() + "/" + kApp + "Vosk1.exe");
            doc.OnNewDocument(s.runParameter);
            view.OnInitialUpdate();
            const CInjectedFault fault(s.fault);
            if (s.focusRow > 0) {
                view.OnCellFocus(IDC_AFTER_FIRST + s.focusRow - 1);
            }
            for (const int command : s.options) {
                view.OnMatchOption(command);
            }
            for (const Step step : s.steps) {
                Take(step, windows, view);
            }
            expected["status"] = s.status.value_or(windows.status);
            for (const FileDialogOptions& dialog : windows.dialogs) {
                EXPECT_EQ(dialog.initialName, kTableDialogInitialName);
                EXPECT_EQ(dialog.filter, kTableDialogFilter);
                EXPECT_TRUE(dialog.overwritePrompt);
            }
            // The arrows when all cells agree.
            std::set<std::string> arrows;
            for (int r = 0; r < 10; ++r) {
                arrows.insert(windows.cells[IDC_ARROW_FIRST + r]);
            }
            std::string menu;
            for (int id = ID_MATCH_WHOLE; id <= ID_IGNORE_CASE; ++id) {
                menu += windows.menuChecks[id] ? '1' : '0';
            }
            std::map<std::string, std::string> seen = Snapshot(Directory());
            seen.insert({{"flag", std::to_string(view.m_bNewTable)},
                         {"arrows", *arrows.begin() + (arrows.size() == 1 ? "" : " and more")},
                         {"title", windows.title},
                         {"list", windows.cells[IDC_TEXT_LIST]},
                         {"closes", std::to_string(windows.closeRequests)},
                         {"focus", std::to_string(windows.focus)},
                         {"menu", menu},
                         {"status", windows.status}});
            EXPECT_EQ(seen, expected);
        }
    }

private:
    static void Take(Step step, CHeadlessWindowSystem& windows, CVosk1View& view) {
        using V = CVosk1View;
        static constexpr void (V::*kCommands[])() noexcept = {
            &V::OnFileNew, &V::OnFileOpen, &V::OnFileSave, &V::OnFileSaveAs, &V::OnConfirm};
        if (step == Step::type) {
            // The form reports each change of a cell, as the dialog does on EN_CHANGE.
            for (const auto& [cell, text] :
                 {std::pair{IDC_BEFORE_FIRST + 1, "Z"}, {IDC_AFTER_FIRST + 1, "Y"}}) {
                windows.SetControlText(cell, text);
                view.OnCellChange(cell);
            }
        } else if (step == Step::pick) {
            view.OnPickText(0);
        } else if (step == Step::badAfter || step == Step::badBefore) {
            windows.unrepresentableCells = {step == Step::badAfter ? IDC_AFTER_FIRST + 2
                                                                   : IDC_BEFORE_FIRST + 9};
        } else {
            (view.*kCommands[static_cast<int>(step) - static_cast<int>(Step::fileNew)])();
        }
    }
};

TEST_F(Vosk1ViewTest, StartUp) {
    Run({
        {.name =
             "without Vosk.ini the table is new and untitled; without a drawing the list is empty",
         .setup = [] { fs::remove("Vosk.ini"), fs::remove("temp.txt"); },
         .script = {Missing("Vosk.ini", kOpeningNewTable), Missing("temp.txt")},
         .title = "",
         .list = ""},
        {.name = "a missing table opens empty and Save writes it",
         .setup = [] { fs::remove("t.mse"); },
         .steps = {Step::save},
         .script = {Missing("t.mse", kOpeningNewTable)},
         .files = {{"t.mse", Table("")}, {"Vosk.ini", "t.mse"}}},
        {.name = "a table with a bad options line opens empty, and Confirm asks before saving",
         .setup = [] { WriteFile("t.mse", Table("A ---> B\r\n") + "#options match=half\r\n"); },
         .steps = {Step::confirm},
         .script = {Box{(fs::current_path() / "t.mse").string() + "\n " +
                        FillFormat(kBadTableSetting, {"11", "match=half"}) + kOpeningNewTable},
                    kNo},
         .files = {kPassInStart},
         .afterNew = AfterNew::stillNew,
         .closes = true},
    });
}

TEST_F(Vosk1ViewTest, NewAndOpen) {
    const std::string x = (Directory() / kApp / "x.mse").string();
    Run({
        {.name = "Open after New reads the table, and Save rewrites it whole",
         .steps = {Step::fileNew, Step::open, Step::save},
         .script = {Open{"x.mse"}},
         .files = {{"app/Vosk.ini", "x.mse"}, {"app/x.mse", Table("X ---> Y\r\n")}},
         .title = "x.mse",
         .list = "A\r\nZ\r\n"},
        {.name = "an Open of a table that fails amid reading changes nothing",
         .fault = {"x.mse", 3, kDeviceError},
         .steps = {Step::fileNew, Step::open},
         .script = {Open{"x.mse"}, Framework(x, kFrameworkHardIO)},
         .afterNew = AfterNew::stillNew},
        {.name = "an Open of a file longer than any table changes nothing",
         .setup = [] { WriteFile(kApp + "/x.mse"s, std::string(kMaxTableBytes + 1, 'x')); },
         .steps = {Step::fileNew, Step::open},
         .script = {Open{"x.mse"}, Box{x + "\n " + FillFormat(kTableTooLarge, {"1048576"})}},
         .afterNew = AfterNew::stillNew},
        {.name =
             "an Open cancelled, failed, or unable to name the table in Vosk.ini changes nothing",
         .setup = [] { fs::create_directory(kApp + "/Vosk.ini"s); },
         .steps = {Step::fileNew, Step::open, Step::open, Step::open},
         .script = {Open{}, Open{"new.mse"}, Framework("new.mse", kFrameworkFileNotFound),
                    Open{"x.mse"}, Framework("Vosk.ini", kFrameworkAccessDenied)},
         .afterNew = AfterNew::stillNew},
        {.name = "New resets the match options",
         .setup = [] { WriteFile("t.mse", Table("") + "#options match=part\r\n"); },
         .steps = {Step::fileNew},
         .afterNew = AfterNew::stillNew},
        {.name = "an Open of a name Shift-JIS cannot hold is refused",
         .steps = {Step::open},
         .script = {Open{"", FileChoice::Outcome::unrepresentable}, Box{kUnrepresentableFileName}}},
    });
}

TEST_F(Vosk1ViewTest, SaveAndSaveAs) {
    Run({
        {.name = "Save writes the typed table and Vosk.ini",
         .steps = {Step::type, Step::save},
         .files = {{"t.mse", kTyped}, {"Vosk.ini", "t.mse"}}},
        {.name = "Save keeps the match options the table was loaded with",
         .setup = [] { WriteFile("t.mse", Table("A ---> B\r\n") + "#options width=ignore\r\n"); },
         .steps = {Step::type, Step::save},
         .files = {{"t.mse", kTyped + "#options width=ignore\r\n"}, {"Vosk.ini", "t.mse"}},
         .menu = "1010"},
        {.name = "Save after New saves through the dialog in the program directory",
         .steps = {Step::fileNew, Step::type, Step::save},
         .script = {Save{"s.mse"}},
         .files = {{"app/s.mse", kTypedNew}, {"app/Vosk.ini", "s.mse"}},
         .afterNew = AfterNew::notNew,
         .title = "s.mse"},
        {.name = "a Save As cancelled, failed, or unable to write Vosk.ini keeps the name and New",
         .setup = [] { fs::create_directory(kApp + "/Vosk.ini"s); },
         .steps = {Step::fileNew, Step::type, Step::saveAs, Step::saveAs, Step::saveAs},
         .script = {Save{}, Save{"gone/s.mse"}, Framework("gone/s.mse", kFrameworkFileNotFound),
                    Save{"s.mse"}, Framework("Vosk.ini", kFrameworkAccessDenied)},
         .files = {{"app/s.mse", kTypedNew}},
         .afterNew = AfterNew::stillNew},
        {.name = "a Save that fails amid the table leaves the old one whole",
         .fault = {"t.mse", 40, kDiskFullError},
         .steps = {Step::type, Step::save},
         .script = {Framework((Directory() / "t.mse").string(), kFrameworkDiskFull)},
         .files = {{"Vosk.ini", "t.mse"}}},
#ifndef _WIN32
        {.name = "Save through a symbolic link rewrites its target and keeps the link",
         .setup = [] { fs::rename("t.mse", "real.mse"), fs::create_symlink("real.mse", "t.mse"); },
         .steps = {Step::type, Step::save},
         .files = {{"real.mse", kTyped}, {"Vosk.ini", "t.mse"}}},
#endif
        {.name = "Save refuses a before cell Shift-JIS cannot hold, Save As an after cell",
         .steps = {Step::badBefore, Step::save, Step::badAfter, Step::saveAs},
         .script = {Unrepresentable("10", kBeforeColumnName),
                    Unrepresentable("3", kAfterColumnName)}},
    });
}

TEST_F(Vosk1ViewTest, ConfirmAndCancel) {
    Run({
        {.name = "Confirm saves the table and runs the pass in the program directory",
         .steps = {Step::type, Step::confirm},
         .files = {{"t.mse", kTyped}, PassInApp("B", "Y")},
         .closes = true},
        {.name = "Confirm after New, not saved, runs the pass where the form started",
         .steps = {Step::fileNew, Step::confirm},
         .script = {kNo},
         .files = {kPassInStart},
         .afterNew = AfterNew::stillNew,
         .closes = true},
        {.name = "Confirm after New with the save dialog cancelled",
         .steps = {Step::fileNew, Step::confirm},
         .script = {kYes, Save{}},
         .files = {kPassInStart},
         .afterNew = AfterNew::notNew,
         .closes = true},
        {.name = "Confirm after New saves through the dialog",
         .steps = {Step::fileNew, Step::confirm},
         .script = {kYes, Save{"s.mse"}},
         .files = {{"app/s.mse", Table("")}, {"app/Vosk.ini", "s.mse"}, PassInApp("A", "Z")},
         .afterNew = AfterNew::notNew,
         .title = "s.mse",
         .closes = true},
        {.name = "Save without Vosk.ini fails on the untitled table, and Confirm asks",
         .setup = [] { fs::remove("Vosk.ini"); },
         .steps = {Step::save, Step::confirm},
         .script = {Missing("Vosk.ini", kOpeningNewTable),
                    Framework(kUntitledFileName, kFrameworkFileNotFound), kNo},
         .files = {{"Vosk.ini", ""}, kPassInStart},
         .title = "",
         .closes = true},
        {.name = "a Confirm whose table cannot be saved keeps the form open",
         .setup = [] { WriteFile("Vosk.ini", "gone/t.mse"); },
         .steps = {Step::type, Step::confirm},
         .script = {Missing("gone/t.mse", kOpeningNewTable),
                    Framework("gone/t.mse", kFrameworkFileNotFound)},
         .title = "gone/t.mse"},
        {.name = "a failed pass keeps the form open",
         .setup = [] { fs::remove(kApp + "/temp.txt"s); },
         .steps = {Step::confirm},
         .script = {Missing("temp.txt")}},
        {.name = "Confirm refuses a run parameter whose number is not finite",
         .runParameter = "/P1e400",
         .steps = {Step::type, Step::confirm},
         .script = {Box{BadRunParameterReport("/P1e400")}}},
    });
}

// The status bar: the current row's text, if any, the totals replaced, removed and laid out, and
// the names of the options in force, if any.
std::string Status(const std::string& row, const std::string& totals,
                   const std::string& inForce = "") {
    const std::string text =
        (row.empty() ? "" : row + kStatusSeparator) +
        FillFormat(kTotals, {totals.substr(0, 1), totals.substr(1, 1), totals.substr(2)});
    return inForce.empty() ? text
                           : text + kStatusSeparator + FillFormat(kOptionsInForce, {inForce});
}

TEST_F(Vosk1ViewTest, PickAndStatus) {
    const std::string row1ReplacesOne = FillFormat(kRowReplaces, {"1", "1"});
    std::vector<Scenario> scenarios = {
        {.name = "a pick at start fills row 1 and moves to its after cell",
         .steps = {Step::pick},
         .focus = IDC_AFTER_FIRST,
         .status = Status(row1ReplacesOne, "100")},
        {.name = "a pick fills the row last focused",
         .focusRow = 3,
         .steps = {Step::pick},
         .focus = IDC_AFTER_FIRST + 2,
         .status = Status(FillFormat(kRowRemoves, {"3", "1"}), "010")},
        {.name = "typing in a cell changes the status bar",
         .focusRow = 2,
         .steps = {Step::type},
         .status = Status(FillFormat(kRowMatchesNothing, {"2"}), "000")},
        {.name = "Open counts the new table's matches under its options",
         .setup =
             [] { WriteFile(kApp + "/x.mse"s, Table("z ---> Q\r\n") + "#options case=ignore"); },
         .steps = {Step::open},
         .script = {Open{"x.mse"}},
         .files = {{"app/Vosk.ini", "x.mse"}},
         .title = "x.mse",
         .list = "A\r\nZ\r\n",
         .menu = "1001",
         .status = Status(row1ReplacesOne, "100", kOptionIgnoreCase)},
        {.name = "part matching from the menu counts the places, is named and is saved",
         .setup = [] { WriteFile("temp.txt", "ch 0 0 1 0 \"AxA\r\n"); },
         .options = {ID_MATCH_PART},
         .steps = {Step::save},
         .files = {{"t.mse", Table("A ---> B\r\n") + "#options match=part\r\n"},
                   {"Vosk.ini", "t.mse"}},
         .list = "AxA\r\n",
         .menu = "0100",
         .status = Status(FillFormat(kRowReplacesPlaces, {"1", "1", "2"}), "100", kOptionPart)},
        {.name = "the options in force are named in the menu's order",
         .options = {ID_IGNORE_CASE, ID_MATCH_PART, ID_IGNORE_WIDTH, ID_MATCH_WHOLE},
         .menu = "1011",
         .status = Status(FillFormat(kRowMatchesNothing, {"1"}), "000",
                          kOptionIgnoreWidth + std::string(kOptionJoiner) + kOptionIgnoreCase)},
    };
    // Row 1 lays out A, row 2 removes B, row 3 takes A after it, row 4 finds A taken, row 5
    // matches nothing, row 6 replaces C; rows 7 to 10 are empty. The focused row shows its kind.
    void (*writeRowKinds)() = [] {
        WriteFile("temp.txt", "ch 0 0 1 0 \"A\nch 0 0 1 0 \"A\nch 0 0 1 0 \"B\nch 0 0 1 0 \"C\n");
        WriteFile("t.mse",
                  "A ---> X//Y\r\nB ---> \r\nA ---> Z\r\nA ---> W\r\nQ ---> R\r\nC ---> D");
    };
    const std::pair<int, std::string> kinds[] = {{0, FillFormat(kRowLaysOut, {"1", "2", "2"})},
                                                 {2, FillFormat(kRowRemoves, {"2", "1"})},
                                                 {4, FillFormat(kRowShadowed, {"4", "2"})},
                                                 {5, FillFormat(kRowMatchesNothing, {"5"})},
                                                 {7, ""}};
    for (const auto& [row, rowStatus] : kinds) {
        scenarios.push_back({.name = "focused row " + std::to_string(row),
                             .setup = writeRowKinds,
                             .focusRow = row,
                             .list = "A\r\nA\r\nB\r\nC\r\n",
                             .status = Status(rowStatus, "112")});
    }
    Run(scenarios);
}

}  // namespace

#include "editor/Vosk1View.h"

#include <filesystem>
#include <utility>
#include <vector>

#include "editor/EditorTexts.h"
#include "res/resource.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/common/TableBuilder.h"
#include "tests/support/HeadlessWindowSystem.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr unsigned kStopBox = kMbOk | kMbIconStop;
constexpr char kNewArrow[] = "  ---> ";
// The drawing beside the program, where the commands that save leave the current directory; the
// start directory has one of its own.
constexpr char kDrawing[] = "hq\r\nch 0 0 1 0 \"A\r\nch 0 0 1 0 \"Z\r\n";
constexpr char kStartDrawing[] = "ch 0 0 1 0 \"S\r\n";

int Before(int row) {
    return IDC_BEFORE_FIRST + row - 1;
}
int After(int row) {
    return IDC_AFTER_FIRST + row - 1;
}
int Arrow(int row) {
    return IDC_ARROW_FIRST + row - 1;
}

std::string TableBytes(const Rows& rows) {
    std::string bytes;
    for (size_t r = 0; r < 10; ++r) {
        bytes +=
            r < rows.size() ? rows[r].first + " ---> " + rows[r].second + "\r\n" : " ---> \r\n";
    }
    return bytes;
}

std::string FrameworkReport(const char* format, const std::string& name) {
    return name + (format + 2);  // every format starts with %1
}

class TableFormTest : public ScratchDirectoryTest {
protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        startDir = Directory().string();
        appDir = startDir + "/app\\";  // a directory named "app\" on POSIX, "app" on Windows
        tablePath = startDir + "/table.mse";
        std::filesystem::create_directory(appDir);
        windows.programPath = appDir + "Vosk1.exe";
        doc.OnNewDocument("");
        WriteFile("temp.txt", kStartDrawing);
        WriteFile(InApp("temp.txt"), kDrawing);
    }
    void TearDown() override {
        EXPECT_EQ(windows.unscripted, 0) << "a question or dialog came that was not expected";
        ScratchDirectoryTest::TearDown();
    }

    void StartWithTable(const Rows& rows) {
        WriteFile("Vosk.ini", tablePath);
        WriteFile(tablePath, TableBytes(rows));
        view.OnInitialUpdate();
        ASSERT_TRUE(windows.messages.empty()) << windows.messages[0].text;
    }

    void Type(int row, const std::string& before, const std::string& after) {
        windows.cells[Before(row)] = before;
        windows.cells[After(row)] = after;
    }

    void ExpectForm(const Rows& rows, const char* arrow) {
        const ReplacementTable table = MakeTable(rows);
        EXPECT_EQ(view.m_strTable, table);
        for (int r = 1; r <= 10; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(windows.Cell(Before(r)), table.rows[size_t(r - 1)].before);
            EXPECT_EQ(windows.Cell(After(r)), table.rows[size_t(r - 1)].after);
            EXPECT_EQ(windows.Cell(Arrow(r)), arrow);
        }
    }

    void ExpectOneTableDialog(HeadlessWindowSystem::DialogKind kind) {
        ASSERT_EQ(windows.dialogs.size(), 1u);
        const HeadlessWindowSystem::Dialog& dialog = windows.dialogs[0];
        EXPECT_EQ(dialog.kind, kind);
        EXPECT_EQ(dialog.options.initialName, kTableDialogInitialName);
        EXPECT_EQ(dialog.options.filter, kTableDialogFilter);
        EXPECT_TRUE(dialog.options.overwritePrompt);
    }

    // appDir ends in a backslash, which POSIX does not take for a separator.
    std::string InApp(const std::string& name) const { return appDir + "/" + name; }
    // Told by the drawing found by bare name, since each directory has its own.
    bool InAppDir() const { return ReadFile("temp.txt") == kDrawing; }
    std::string LastMessage() const {
        return windows.messages.empty() ? "" : windows.messages.back().text;
    }

    std::string startDir;
    std::string appDir;
    std::string tablePath;
    HeadlessWindowSystem windows;
    CVosk1Doc doc;
    CVosk1View view{windows, doc};
};

TEST_F(TableFormTest, StartUpShowsTheLastTableAndTheDrawingsTexts) {
    EXPECT_EQ(g_pTableView, &view);
    StartWithTable({{"A", "B"}, {"", ""}, {"C ", "D//E"}});
    EXPECT_EQ(view.m_strAppDir, appDir);
    EXPECT_EQ(view.m_strTablePath, tablePath);
    ExpectForm({{"A", "B"}, {"", ""}, {"C ", "D//E"}}, kArrowCellText);
    EXPECT_EQ(windows.titles, std::vector<std::string>{tablePath});
    EXPECT_EQ(windows.Cell(IDC_TEXT_LIST), "S\r\n");
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_TRUE(windows.directoryChanges.empty());
}

struct StartUpFailure {
    const char* name;
    const char* pointerFile;  // nullptr: no "Vosk.ini"; "@" stands for the table path
    bool tableIsDirectory;
    std::string (*expected)(const std::string& tablePath);
};

void PrintTo(const StartUpFailure& scenario, std::ostream* out) {
    *out << scenario.name;
}

class StartUpFailureTest : public TableFormTest,
                           public ::testing::WithParamInterface<StartUpFailure> {};

TEST_P(StartUpFailureTest, IsReportedAndTheFormStillOpens) {
    const StartUpFailure& failure = GetParam();
    if (failure.pointerFile != nullptr) {
        const std::string content = failure.pointerFile;
        WriteFile("Vosk.ini", content.starts_with("@") ? tablePath + content.substr(1) : content);
    }
    if (failure.tableIsDirectory) {
        std::filesystem::create_directory(tablePath);
    }
    view.OnInitialUpdate();
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, failure.expected(tablePath));
    EXPECT_EQ(windows.messages[0].type, kStopBox);
    ExpectForm({}, kArrowCellText);
    EXPECT_EQ(windows.titles, std::vector<std::string>{view.m_strTablePath});
    EXPECT_EQ(windows.Cell(IDC_TEXT_LIST), "S\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpFailureTest,
    ::testing::Values(StartUpFailure{"NoPointerFile", nullptr, false,
                                     [](const std::string&) {
                                         return std::string("Vosk.ini\n ") + kFileMissing +
                                                kOpeningNewTable;
                                     }},
                      StartUpFailure{"EmptyPointerFile", "", false,
                                     [](const std::string&) {
                                         return std::string("\n ") + kFileMissing +
                                                kOpeningNewTable;
                                     }},
                      StartUpFailure{"MissingTable", "@\r\nignored", false,
                                     [](const std::string& path) {
                                         return path + "\n " + kFileMissing + kOpeningNewTable;
                                     }},
                      StartUpFailure{"TableIsADirectory", "@", true,
                                     [](const std::string& path) {
                                         return path + "\n " + kAccessDenied + kOpeningNewTable;
                                     }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TableFormTest, AMissingDrawingIsReportedAndListsNothing) {
    std::filesystem::remove("temp.txt");
    WriteFile("Vosk.ini", tablePath);
    WriteFile(tablePath, TableBytes({{"A", "B"}}));
    view.OnInitialUpdate();
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, std::string("temp.txt\n ") + kFileMissing);
    EXPECT_EQ(windows.messages[0].type, kStopBox);
    ExpectForm({{"A", "B"}}, kArrowCellText);
    EXPECT_EQ(windows.Cell(IDC_TEXT_LIST), "");
}

TEST_F(TableFormTest, NewClearsTheTableButKeepsItsFileAndTitle) {
    StartWithTable({{"A", "B"}});
    Type(2, "typed", "text");
    view.OnFileNew();
    ExpectForm({}, kNewArrow);
    EXPECT_EQ(view.m_bNewTable, 1);
    EXPECT_EQ(view.m_strTablePath, tablePath);
    EXPECT_EQ(windows.titles.size(), 1u);
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
}

TEST_F(TableFormTest, OpenLoadsTheChosenTableAndRemembersIt) {
    view.OnInitialUpdate();  // without "Vosk.ini"
    windows.messages.clear();
    const std::string chosen = startDir + "/other.mse";
    WriteFile(chosen, "X ---> Y\r\n");
    windows.dialogAnswers = {chosen};
    view.OnFileOpen();

    ExpectOneTableDialog(HeadlessWindowSystem::DialogKind::open);
    EXPECT_TRUE(windows.messages.empty());
    EXPECT_TRUE(InAppDir());
    EXPECT_EQ(ReadFile(InApp("Vosk.ini")), chosen);
    ExpectForm({{"X", "Y"}}, kArrowCellText);
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_EQ(windows.titles.back(), chosen);
    EXPECT_EQ(windows.Cell(IDC_TEXT_LIST), "A\r\nZ\r\n");
}

TEST_F(TableFormTest, OpenCancelledChangesNothing) {
    StartWithTable({{"A", "B"}});
    Type(1, "typed", "");
    windows.dialogAnswers = {std::nullopt};
    view.OnFileOpen();
    EXPECT_EQ(view.m_strTable, MakeTable({{"A", "B"}}));
    EXPECT_EQ(windows.Cell(Before(1)), "typed");
    EXPECT_EQ(view.m_strTablePath, tablePath);
    EXPECT_EQ(windows.titles.size(), 1u);
    EXPECT_TRUE(windows.directoryChanges.empty());
    EXPECT_FALSE(std::filesystem::exists(InApp("Vosk.ini")));
}

TEST_F(TableFormTest, OpenOfAMissingFileGivesAnEmptyTableThatConfirmCreates) {
    StartWithTable({{"A", "B"}});
    const std::string missing = startDir + "/new.mse";
    windows.dialogAnswers = {missing};
    view.OnFileOpen();
    EXPECT_EQ(LastMessage(), missing + "\n " + kFileMissing + kOpeningNewTable);
    ExpectForm({}, kArrowCellText);
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_EQ(ReadFile(InApp("Vosk.ini")), missing);

    Type(1, "A", "C");
    view.OnConfirm();
    EXPECT_EQ(ReadFile(missing), TableBytes({{"A", "C"}}));
    EXPECT_EQ(ReadFile(InApp("jwc_temp.txt")), "hd\r\nch 0 0 1 0 \"C\r\nch 0 0 1 0 \"Z\r\n");
    EXPECT_EQ(windows.closeRequests, 1);
}

TEST_F(TableFormTest, OpenStopsWhenVoskIniCannotBeWritten) {
    std::filesystem::create_directory(InApp("Vosk.ini"));
    StartWithTable({{"A", "B"}});
    const std::string chosen = startDir + "/other.mse";
    WriteFile(chosen, "X ---> Y\r\n");
    windows.dialogAnswers = {chosen};
    view.OnFileOpen();
    EXPECT_EQ(LastMessage(), FrameworkReport(kFrameworkAccessDenied, "Vosk.ini"));
    EXPECT_EQ(windows.messages.back().type, kStopBox);
    ExpectForm({}, kNewArrow);
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_EQ(view.m_strTablePath, chosen);
    EXPECT_EQ(windows.titles.size(), 1u);
}

TEST_F(TableFormTest, SaveWritesTheTypedCellsWhereTheTableCameFrom) {
    StartWithTable({{"A", "B"}, {"C", "D"}});
    Type(2, "typed", "text");
    view.OnFileSave();
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}, {"typed", "text"}}));
    EXPECT_EQ(ReadFile(startDir + "/Vosk.ini"), tablePath);  // where the save began
    EXPECT_TRUE(InAppDir());
    EXPECT_TRUE(windows.dialogs.empty());
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(TableFormTest, SaveAfterNewAsksForAFileInsteadOfOverwritingTheLastTable) {
    StartWithTable({{"A", "B"}});
    view.OnFileNew();
    Type(1, "N", "M");
    windows.dialogAnswers = {std::nullopt};
    view.OnFileSave();
    EXPECT_EQ(windows.dialogs.size(), 1u);
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    EXPECT_EQ(view.m_bNewTable, 1);

    const std::string chosen = startDir + "/fresh.mse";
    windows.dialogAnswers = {chosen};
    view.OnFileSave();
    EXPECT_EQ(ReadFile(chosen), TableBytes({{"N", "M"}}));
    EXPECT_EQ(ReadFile(InApp("Vosk.ini")), chosen);
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_EQ(windows.titles.back(), chosen);
}

TEST_F(TableFormTest, SaveWithoutATablePathEmptiesVoskIniAndReportsTheTable) {
    view.OnInitialUpdate();
    windows.messages.clear();
    view.OnFileSave();
    EXPECT_TRUE(std::filesystem::exists("Vosk.ini"));
    EXPECT_EQ(ReadFile("Vosk.ini"), "");
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_TRUE(windows.messages[0].text.starts_with(kUntitledFileName)) << LastMessage();
    EXPECT_FALSE(InAppDir());
}

TEST_F(TableFormTest, SaveAsWritesTheChosenFileByTheNameAsTyped) {
    StartWithTable({{"A", "B"}});
    view.OnFileNew();
    const std::string chosen = startDir + "/untitled";
    windows.dialogAnswers = {chosen};
    view.OnFileSaveAs();
    ExpectOneTableDialog(HeadlessWindowSystem::DialogKind::save);
    EXPECT_EQ(ReadFile(chosen), TableBytes({}));
    EXPECT_EQ(ReadFile(chosen).size(), 80u);
    EXPECT_EQ(ReadFile(InApp("Vosk.ini")), chosen);
    EXPECT_EQ(view.m_bNewTable, 0);
    EXPECT_EQ(windows.titles.back(), chosen);
    EXPECT_TRUE(InAppDir());
}

TEST_F(TableFormTest, SaveAsCancelledWritesNothingAndSetsTheTitleAgain) {
    StartWithTable({{"A", "B"}});
    Type(1, "typed", "");
    windows.dialogAnswers = {std::nullopt};
    view.OnFileSaveAs();
    EXPECT_EQ(windows.titles, (std::vector<std::string>{tablePath, tablePath}));
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    EXPECT_FALSE(std::filesystem::exists(InApp("Vosk.ini")));
    EXPECT_TRUE(windows.directoryChanges.empty());
}

TEST_F(TableFormTest, SaveAsIntoAMissingDirectoryIsReportedAndKeepsTheTableNew) {
    StartWithTable({{"A", "B"}});
    view.OnFileNew();
    const std::string chosen = startDir + "/no-such-dir/t.mse";
    windows.dialogAnswers = {chosen};
    view.OnFileSaveAs();
    EXPECT_EQ(LastMessage(), FrameworkReport(kFrameworkFileNotFound, chosen));
    EXPECT_EQ(ReadFile(InApp("Vosk.ini")), chosen);
    EXPECT_EQ(windows.titles.size(), 1u);
    EXPECT_EQ(view.m_bNewTable, 1);
}

TEST_F(TableFormTest, ConfirmSavesTheCellsRunsThePassAndCloses) {
    StartWithTable({{"A", "B"}, {"Q", "R"}});
    Type(2, "Z", "");
    view.OnConfirm();
    EXPECT_TRUE(windows.messages.empty());
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}, {"Z", ""}}));
    EXPECT_EQ(ReadFile(startDir + "/Vosk.ini"), tablePath);
    EXPECT_FALSE(std::filesystem::exists(InApp("Vosk.ini")));
    EXPECT_EQ(ReadFile(InApp("jwc_temp.txt")), "hd\r\nch 0 0 1 0 \"B\r\n");
    EXPECT_EQ(windows.closeRequests, 1);
}

struct ConfirmOfNewTable {
    const char* name;
    bool startWithoutPointerFile;
    int answer;
    std::optional<std::string> dialogAnswer;  // a name in the start directory
    bool saves;
};

void PrintTo(const ConfirmOfNewTable& scenario, std::ostream* out) {
    *out << scenario.name;
}

class ConfirmOfNewTableTest : public TableFormTest,
                              public ::testing::WithParamInterface<ConfirmOfNewTable> {};

TEST_P(ConfirmOfNewTableTest, AsksFirstAndRunsThePassWhatever) {
    const ConfirmOfNewTable& scenario = GetParam();
    if (scenario.startWithoutPointerFile) {
        view.OnInitialUpdate();
        windows.messages.clear();
    } else {
        StartWithTable({{"A", "B"}});
        view.OnFileNew();
    }
    Type(1, "A", "N");
    windows.questionAnswers = {scenario.answer};
    if (scenario.answer == kIdYes) {
        windows.dialogAnswers = {scenario.dialogAnswer
                                     ? std::optional(startDir + "/" + *scenario.dialogAnswer)
                                     : std::nullopt};
    }
    view.OnConfirm();

    ASSERT_FALSE(windows.messages.empty());
    EXPECT_EQ(windows.messages[0].text, kNewTableQuestion);
    EXPECT_EQ(windows.messages[0].type, kMbYesNo | kMbIconInformation);
    EXPECT_EQ(windows.messages.size(), 1u);
    const std::string saved = startDir + "/saved.mse";
    EXPECT_EQ(std::filesystem::exists(saved), scenario.saves);
    EXPECT_EQ(std::filesystem::exists(InApp("Vosk.ini")), scenario.saves);
    if (scenario.saves) {
        EXPECT_EQ(ReadFile(saved), TableBytes({{"A", "N"}}));
        EXPECT_EQ(ReadFile(InApp("Vosk.ini")), saved);
    }
    if (!scenario.startWithoutPointerFile) {
        EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    }
    EXPECT_EQ(view.m_bNewTable,
              scenario.answer == kIdYes || scenario.startWithoutPointerFile ? 0 : 1);
    EXPECT_EQ(ReadFile(scenario.saves ? InApp("jwc_temp.txt") : startDir + "/jwc_temp.txt"),
              scenario.saves ? "hd\r\nch 0 0 1 0 \"N\r\nch 0 0 1 0 \"Z\r\n" : "ch 0 0 1 0 \"S\r\n");
    EXPECT_EQ(windows.closeRequests, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfirmOfNewTableTest,
    ::testing::Values(ConfirmOfNewTable{"AfterNewNo", false, kIdNo, std::nullopt, false},
                      ConfirmOfNewTable{"AfterNewYesCancelled", false, kIdYes, std::nullopt, false},
                      ConfirmOfNewTable{"AfterNewYesSaved", false, kIdYes, "saved.mse", true},
                      ConfirmOfNewTable{"WithoutVoskIniNo", true, kIdNo, std::nullopt, false},
                      ConfirmOfNewTable{"WithoutVoskIniYesSaved", true, kIdYes, "saved.mse", true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TableFormTest, ConfirmStopsWhenTheTableCannotBeWritten) {
    std::filesystem::create_directory(tablePath);
    WriteFile("Vosk.ini", tablePath);
    view.OnInitialUpdate();
    windows.messages.clear();
    Type(1, "A", "B");
    view.OnConfirm();
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, FrameworkReport(kFrameworkAccessDenied, tablePath));
    EXPECT_EQ(windows.messages[0].type, kStopBox);
    EXPECT_EQ(view.m_strTable, MakeTable({{"A", "B"}}));
    EXPECT_FALSE(std::filesystem::exists("jwc_temp.txt"));
    EXPECT_FALSE(std::filesystem::exists(InApp("jwc_temp.txt")));
    EXPECT_EQ(windows.closeRequests, 0);
}

TEST_F(TableFormTest, ConfirmWithoutADrawingReportsItAndStillCloses) {
    std::filesystem::remove(InApp("temp.txt"));
    StartWithTable({{"A", "B"}});
    view.OnConfirm();
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, std::string("temp.txt\n ") + kFileMissing);
    EXPECT_EQ(windows.messages[0].type, kStopBox);
    EXPECT_TRUE(std::filesystem::exists(InApp("jwc_temp.txt")));
    EXPECT_EQ(ReadFile(InApp("jwc_temp.txt")), "");
    EXPECT_EQ(windows.closeRequests, 1);
}

TEST_F(TableFormTest, TextShiftJisCannotHoldIsNamedAndNothingIsWritten) {
    StartWithTable({{"A", "B"}});
    Type(1, "typed", "");
    const std::pair<int, std::string> cases[] = {
        {After(3), std::string("3") + kRowSuffix + kAfterColumnName + kUnrepresentableText},
        {Before(10), std::string("10") + kRowSuffix + kBeforeColumnName + kUnrepresentableText},
    };
    for (const auto& [cell, report] : cases) {
        windows.unrepresentableCells = {cell};
        for (auto command :
             {&CVosk1View::OnConfirm, &CVosk1View::OnFileSave, &CVosk1View::OnFileSaveAs}) {
            windows.messages.clear();
            (view.*command)();
            ASSERT_EQ(windows.messages.size(), 1u);
            EXPECT_EQ(windows.messages[0].text, report);
        }
    }
    EXPECT_EQ(view.m_strTable, MakeTable({{"A", "B"}}));
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    EXPECT_TRUE(windows.dialogs.empty());
    EXPECT_FALSE(std::filesystem::exists(InApp("jwc_temp.txt")));
    EXPECT_EQ(windows.closeRequests, 0);
}

TEST_F(TableFormTest, CancelClosesWithoutTouchingAFile) {
    StartWithTable({{"A", "B"}});
    Type(1, "typed", "");
    view.OnCancelButton();
    EXPECT_EQ(windows.closeRequests, 1);
    EXPECT_EQ(ReadFile(tablePath), TableBytes({{"A", "B"}}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(appDir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TableFormTest, TableFileRoundTripsByteForByte) {
    view.OnInitialUpdate();
    windows.messages.clear();
    const Rows rows = {{"A ", " B"},       {"\x95\x5C", "\x8E\x9A//\xB1\xB2"},  // 表, 字//ｱｲ
                       {"", "after only"}, {"x", ""},
                       {"", ""},           {"", ""},
                       {"", ""},           {"", ""},
                       {"", ""},           {"10", "last"}};
    for (int r = 1; r <= 10; ++r) {
        Type(r, rows[size_t(r - 1)].first, rows[size_t(r - 1)].second);
    }
    const std::string path = startDir + "/round.mse";
    windows.dialogAnswers = {path};
    view.OnFileSaveAs();
    EXPECT_EQ(ReadFile(path), TableBytes(rows));

    view.OnFileNew();
    windows.dialogAnswers = {path};
    view.OnFileOpen();
    ExpectForm(rows, kArrowCellText);
    EXPECT_TRUE(windows.messages.empty());
}

struct FlagChange {
    const char* name;
    int before;
    void (CVosk1View::*command)() noexcept;
    std::deque<int> questionAnswers;
    std::deque<std::optional<std::string>> dialogAnswers;  // names in the start directory
    int after;
};

void PrintTo(const FlagChange& scenario, std::ostream* out) {
    *out << scenario.name;
}

class NewTableFlagTest : public TableFormTest, public ::testing::WithParamInterface<FlagChange> {};

TEST_P(NewTableFlagTest, ChangesOnlyWhereItShould) {
    const FlagChange& change = GetParam();
    StartWithTable({{"A", "B"}});
    WriteFile("exists.mse", TableBytes({{"E", "F"}}));
    view.m_bNewTable = change.before;
    windows.questionAnswers = change.questionAnswers;
    for (const std::optional<std::string>& name : change.dialogAnswers) {
        windows.dialogAnswers.push_back(name ? std::optional(startDir + "/" + *name)
                                             : std::nullopt);
    }
    (view.*change.command)();
    EXPECT_EQ(view.m_bNewTable, change.after);
}

using V = CVosk1View;
INSTANTIATE_TEST_SUITE_P(
    Cases, NewTableFlagTest,
    ::testing::Values(FlagChange{"New", 0, &V::OnFileNew, {}, {}, 1},
                      FlagChange{"OpenChosen", 1, &V::OnFileOpen, {}, {"exists.mse"}, 0},
                      FlagChange{"OpenChosenLoadFails", 1, &V::OnFileOpen, {}, {"missing"}, 0},
                      FlagChange{"OpenCancelledNew", 1, &V::OnFileOpen, {}, {std::nullopt}, 1},
                      FlagChange{"OpenCancelled", 0, &V::OnFileOpen, {}, {std::nullopt}, 0},
                      FlagChange{
                          "ConfirmYesCancelled", 1, &V::OnConfirm, {kIdYes}, {std::nullopt}, 0},
                      FlagChange{"ConfirmNo", 1, &V::OnConfirm, {kIdNo}, {}, 1},
                      FlagChange{"Confirm", 0, &V::OnConfirm, {}, {}, 0},
                      FlagChange{"Save", 0, &V::OnFileSave, {}, {}, 0},
                      FlagChange{"SaveOfNewCancelled", 1, &V::OnFileSave, {}, {std::nullopt}, 1},
                      FlagChange{"SaveOfNewChosen", 1, &V::OnFileSave, {}, {"s.mse"}, 0},
                      FlagChange{"SaveAsCancelled", 1, &V::OnFileSaveAs, {}, {std::nullopt}, 1},
                      FlagChange{"SaveAsChosen", 1, &V::OnFileSaveAs, {}, {"s.mse"}, 0},
                      FlagChange{"SaveAsChosenOld", 0, &V::OnFileSaveAs, {}, {"s.mse"}, 0},
                      FlagChange{"Cancel", 1, &V::OnCancelButton, {}, {}, 1}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace

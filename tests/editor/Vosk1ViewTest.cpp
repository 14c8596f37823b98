#include "editor/Vosk1View.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "editor/EditorMessages.h"
#include "editor/EditorTexts.h"
#include "res/resource.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/common/SizeLimit.h"
#include "tests/support/HeadlessWindowSystem.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Cause = CFileException::Cause;
using Operation = CFileException::Operation;

TEST(EditorMessagesTest, FileErrorsNameTheFileAndTheCause) {
    // The sentence of a report the program goes on from, and the framework's message, "%1" the
    // file name, of an error that ends a command.
    const std::tuple<Cause, Operation, std::string, std::string> cases[] = {
        {Cause::accessDenied, Operation::open, kAccessDenied, kFrameworkAccessDenied},
        {Cause::badPath, Operation::open, kBadPath, kFrameworkBadPath},
        {Cause::diskFull, Operation::open, kDiskFull, kFrameworkDiskFull},
        {Cause::hardIO, Operation::read, kReadFailed, kFrameworkHardIO},
        {Cause::generic, Operation::read, kReadFailed, kFrameworkGeneric},
        {Cause::hardIO, Operation::write, kWriteFailed, kFrameworkHardIO},
        {Cause::diskFull, Operation::close, kWriteFailed + ""s + kDiskFull, kFrameworkDiskFull},
    };
    for (const auto& [cause, operation, sentence, format] : cases) {
        const CFileException error(cause, operation, "d/t.mse");
        EXPECT_EQ(FileErrorReport(error), "d/t.mse\n " + sentence);
        EXPECT_EQ(CommandFileErrorReport(error), "d/t.mse" + format.substr(2));
    }
}

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

// A form started in dir, from a program in dir/app\.
struct Form {
    Form(const fs::path& dir, const char* runParameter)
        : view(windows, doc, dir.string() + "/" + kApp + "Vosk1.exe") {
        doc.OnNewDocument(runParameter);
        view.OnInitialUpdate();
    }
    CHeadlessWindowSystem windows;
    CVosk1Doc doc;
    CVosk1View view;
};

class Vosk1ViewTest : public ScratchDirectoryTest {
protected:
    // The files of both directories, those of the program directory as "app/<name>".
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& [prefix, dir] :
             {std::pair{"", Directory()}, {"app/", Directory() / kApp}}) {
            for (const auto& entry : fs::directory_iterator(dir)) {
                if (entry.is_regular_file()) {
                    files[prefix + entry.path().filename().string()] = ReadFile(entry.path());
                }
            }
        }
        return files;
    }

    // What the start and the commands can change: the files, and the form's flag, arrow cells,
    // last title, text list, boxes and close requests.
    std::map<std::string, std::string> Observe(Form& form) const {
        std::map<std::string, std::string> seen = Files();
        CHeadlessWindowSystem& windows = form.windows;
        std::set<std::string> arrows;
        for (int r = 0; r < 10; ++r) {
            arrows.insert(windows.cells[IDC_ARROW_FIRST + r]);
        }
        seen["arrows"] = *arrows.begin() + (arrows.size() == 1 ? "" : " and more");
        for (const auto& [text, type] : windows.messages) {
            seen["boxes"] += (seen["boxes"].empty() ? "" : "\n") + text;
            EXPECT_EQ(type, text == kNewTableQuestion ? kMbYesNo | kMbIconInformation
                                                      : kMbOk | kMbIconStop);
        }
        for (const FileDialogOptions& dialog : windows.dialogs) {
            EXPECT_TRUE(dialog.initialName == kTableDialogInitialName &&
                        dialog.filter == kTableDialogFilter && dialog.overwritePrompt);
        }
        seen["flag"] = std::to_string(form.view.m_bNewTable);
        seen["title"] = windows.titles.empty() ? "(none)" : windows.titles.back();
        seen["list"] = windows.cells[IDC_TEXT_LIST];
        seen["closes"] = std::to_string(windows.closeRequests);
        seen["focus"] = std::to_string(windows.focus);
        seen["status"] = windows.status;
        return seen;
    }
};

// Each scenario starts a form once its setup has changed the directories and takes its steps; it
// lists the answers to their questions and dialogs as the headless window system takes them, with
// names taken in the program directory, and what differs from a plain start without steps, as
// "<what>=<value>" named as by Observe. Steps: N New, O Open, S Save, A Save As, C Confirm,
// X Cancel; t types Z and Y into row 2; a digit d focuses the after cell of row d; p picks the
// first text of the list; u makes the after cell of row 3, U the before cell of
// row 10 hold what Shift-JIS cannot represent.
TEST_F(Vosk1ViewTest, StartAndCommandsChangeWhatTheyShould) {
    const std::string typed = Table("A ---> B\r\nZ ---> Y\r\n");
    const std::string typedNew = Table(" ---> \r\nZ ---> Y\r\n");
    const std::string passInStart = "jwc_temp.txt=ch 0 0 1 0 \"S\r\n",
                      listInApp = "list=A\r\nZ\r\n";
    const auto passInApp = [](const char* row1, const char* row2) {
        return "app/jwc_temp.txt=hd\r\nch 0 0 1 0 \""s + row1 + "\r\nch 0 0 1 0 \"" + row2 + "\r\n";
    };
    const std::string missing = "\n "s + kFileMissing, opening = missing + kOpeningNewTable;
    const std::string noIni = "boxes=Vosk.ini" + opening, q = kNewTableQuestion;
    const std::string question = "boxes=" + q;
    const std::string notFound = kFrameworkFileNotFound + 2;  // past "%1"
    const auto unrepresentable = [](const char* row, const char* column) {
        return "boxes="s + row + kRowSuffix + column + kUnrepresentableText;
    };
    const std::string closes = "closes=1", newArrows = "arrows=  ---> ", stillNew = "flag=1";
    void (*noVoskIni)() = [] { fs::remove("Vosk.ini"); };
    const std::string savedTable = (Directory() / "t.mse").string();
    // Status texts: the row's, if any, and the totals replaced, removed, laid out.
    const auto status = [](const char* format, std::initializer_list<std::string_view> row,
                           const char* totals) {
        return "status="s + (row.size() == 0 ? "" : FillFormat(format, row) + kStatusSeparator) +
               FillFormat(kTotals, {totals, totals + 2, totals + 4});
    };
    void (*rowKinds)() = [] {
        WriteFile("temp.txt", "ch 0 0 1 0 \"A\nch 0 0 1 0 \"A\nch 0 0 1 0 \"B\nch 0 0 1 0 \"C\n");
        WriteFile("t.mse",
                  "A ---> X//Y\r\nB ---> \r\nA ---> Z\r\nA ---> W\r\nQ ---> R\r\nC ---> D");
    };
    const std::string kindsList = "list=A\r\nA\r\nB\r\nC\r\n";
    const struct {
        std::vector<std::string> row;
        void (*setup)() = nullptr;
        const char* runParameter = "";
        unsigned sizeLimit = 0;  // of the files the steps write, in bytes; 0: none
    } scenarios[] = {
        {{""}},
        {{"", noIni, "title="}, noVoskIni},
        {{"S", "boxes=t.mse" + opening, "t.mse=" + Table(""), "Vosk.ini=t.mse"},
         [] { fs::remove("t.mse"); }},
        {{"", "boxes=temp.txt" + missing, "list="}, [] { fs::remove("temp.txt"); }},
        {{"tC", "t.mse=" + typed, passInApp("B", "Y"), closes}},
        {{"tS", "t.mse=" + typed, "Vosk.ini=t.mse"}},
        {{"NtA", "save:s.mse", "app/s.mse=" + typedNew, "app/Vosk.ini=s.mse", "title=s.mse",
          newArrows}},
        {{"NtS", "save:s.mse", "app/s.mse=" + typedNew, "app/Vosk.ini=s.mse", "title=s.mse",
          newArrows}},
        {{"NA", "save:", newArrows, stillNew}},
        {{"NA", "save:gone/s.mse", "boxes=gone/s.mse" + notFound, newArrows, stillNew}},
        {{"NC", "no", passInStart, question, newArrows, stillNew, closes}},
        {{"NC", "yes", "save:", passInStart, question, newArrows, closes}},
        {{"NC", "yes", "save:s.mse", "app/s.mse=" + Table(""), "app/Vosk.ini=s.mse",
          passInApp("A", "Z"), question, "title=s.mse", newArrows, closes}},
        {{"tC", "yes", "save:s.mse", "app/s.mse=" + typedNew, "app/Vosk.ini=s.mse",
          passInApp("A", "Y"), noIni + "\n" + q, "title=s.mse", closes},
         noVoskIni},
        {{"SC", "no", "Vosk.ini=", noIni + "\n" + kUntitledFileName + notFound + "\n" + q,
          "title=", passInStart, closes},
         noVoskIni},
        {{"NOS", "open:x.mse", "app/Vosk.ini=x.mse", "app/x.mse=" + Table("X ---> Y\r\n"),
          "title=x.mse", listInApp}},
        {{"NO", "open:new.mse", "boxes=new.mse" + notFound, newArrows, stillNew}},
        {{"NO", "open:", newArrows, stillNew}},
        {{"NO", "open:x.mse", "boxes=Vosk.ini"s + (kFrameworkAccessDenied + 2), newArrows,
          stillNew},
         [] { fs::create_directory(kApp + "/Vosk.ini"s); }},
        {{"X", closes}},
        {{"tC", "boxes=gone/t.mse" + opening + "\ngone/t.mse" + notFound, "title=gone/t.mse"},
         [] { WriteFile("Vosk.ini", "gone/t.mse"); }},
        {{"C", "boxes=temp.txt" + missing}, [] { fs::remove(kApp + "/temp.txt"s); }},
        {{"uC", unrepresentable("3", kAfterColumnName)}},
        {{"tC", "boxes=" + BadRunParameterReport("/P1e400")}, nullptr, "/P1e400"},
#ifndef _WIN32
        // A save that fails amid the table leaves the old one whole.
        {{"tS", "Vosk.ini=t.mse", "boxes=" + savedTable + (kFrameworkDiskFull + 2)},
         nullptr,
         "",
         40},
#endif
        {{"NtA", "save:s.mse", "app/s.mse=" + typedNew,
          "boxes=Vosk.ini"s + (kFrameworkAccessDenied + 2), newArrows, stillNew},
         [] { fs::create_directory(kApp + "/Vosk.ini"s); }},
        {{"US", unrepresentable("10", kBeforeColumnName)}},
        {{"uA", unrepresentable("3", kAfterColumnName)}},
        {{"", kindsList,
          status(kRowLaysOut, {"1", "2", "2"},
                 "1\0"
                 "1\0"
                 "2")},
         rowKinds},
        {{"2", kindsList,
          status(kRowRemoves, {"2", "1"},
                 "1\0"
                 "1\0"
                 "2")},
         rowKinds},
        {{"4", kindsList,
          status(kRowShadowed, {"4", "2"},
                 "1\0"
                 "1\0"
                 "2")},
         rowKinds},
        {{"5", kindsList,
          status(kRowMatchesNothing, {"5"},
                 "1\0"
                 "1\0"
                 "2")},
         rowKinds},
        {{"7", kindsList,
          status("", {},
                 "1\0"
                 "1\0"
                 "2")},
         rowKinds},
        {{"p", "focus=1025",
          status(kRowReplaces, {"1", "1"},
                 "1\0"
                 "0\0"
                 "0")}},
        {{"3p", "focus=1027",
          status(kRowRemoves, {"3", "1"},
                 "0\0"
                 "1\0"
                 "0")}},
        {{"O", "open:x.mse", "app/Vosk.ini=x.mse", "title=x.mse", listInApp,
          status(kRowReplaces, {"1", "1"},
                 "1\0"
                 "0\0"
                 "0")},
         [] { WriteFile(kApp + "/x.mse"s, "Z ---> Q"); }},
    };
    using V = CVosk1View;
    const std::map<char, void (V::*)() noexcept> commands = {
        {'N', &V::OnFileNew},    {'O', &V::OnFileOpen}, {'S', &V::OnFileSave},
        {'A', &V::OnFileSaveAs}, {'C', &V::OnConfirm},  {'X', &V::OnCancelButton}};
    for (const auto& c : scenarios) {
        SCOPED_TRACE(testing::Message() << "scenario " << &c - scenarios + 1 << ", " << c.row[0]);
        // The start directory holds "Vosk.ini" naming "t.mse", with a line end the program would
        // not write, that table and a drawing; the program directory holds a drawing of its own,
        // which tells where the pass ran, and "x.mse".
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
        if (c.setup != nullptr) {
            c.setup();
        }
        std::map<std::string, std::string> expected = Files();
        Form form(Directory(), c.runParameter);
        CHeadlessWindowSystem& windows = form.windows;
        std::vector<std::string> items = {"flag=0",      "arrows="s + kArrowCellText,
                                          "title=t.mse", "list=S\r\n",
                                          "closes=0",    "focus=0"};
        items.insert(items.end(), c.row.begin() + 1, c.row.end());
        for (const std::string& item : items) {
            const size_t equals = item.find('=');
            if (equals == std::string::npos) {
                windows.answers.push_back(item);
            } else {
                expected[item.substr(0, equals)] = item.substr(equals + 1);
            }
        }
        const CSizeLimit limit(c.sizeLimit);
        for (const char step : c.row[0]) {
            if (step == 't') {
                windows.cells[IDC_BEFORE_FIRST + 1] = "Z";
                windows.cells[IDC_AFTER_FIRST + 1] = "Y";
            } else if (std::isdigit(step)) {
                form.view.OnCellFocus(IDC_AFTER_FIRST + step - '1');
            } else if (step == 'p') {
                form.view.OnPickText(0);
            } else if (step == 'u' || step == 'U') {
                windows.unrepresentableCells = {step == 'u' ? IDC_AFTER_FIRST + 2
                                                            : IDC_BEFORE_FIRST + 9};
            } else {
                (form.view.*commands.at(step))();
            }
        }
        std::map<std::string, std::string> seen = Observe(form);
        if (!expected.contains("status")) {
            seen.erase("status");
        }
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(windows.unscripted, 0);
        EXPECT_TRUE(windows.answers.empty());
    }
}

}  // namespace

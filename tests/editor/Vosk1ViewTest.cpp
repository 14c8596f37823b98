#include "editor/Vosk1View.h"

#include <filesystem>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "editor/EditorTexts.h"
#include "res/resource.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/support/HeadlessWindowSystem.h"

namespace {

// The program directory, named "app\" on POSIX, where a backslash separates nothing.
constexpr char kApp[] = "app\\";
const std::string kMissing = std::string("\n ") + kFileMissing;

std::string TableBytes(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::string bytes;
    for (size_t r = 0; r < 10; ++r) {
        bytes +=
            r < rows.size() ? rows[r].first + " ---> " + rows[r].second + "\r\n" : " ---> \r\n";
    }
    return bytes;
}

std::string InApp(const std::string& name) {
    return std::string(kApp) + "/" + name;
}

std::string Join(const std::vector<std::string>& items) {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) {
        joined += (i == 0 ? "" : "\n") + items[i];
    }
    return joined;
}

// A form started in dir, from a program in dir/app\.
struct Form {
    explicit Form(const std::filesystem::path& dir) {
        windows.programPath = dir.string() + "/" + kApp + "Vosk1.exe";
        doc.OnNewDocument("");
        view.OnInitialUpdate();
    }

    HeadlessWindowSystem windows;
    CVosk1Doc doc;
    CVosk1View view{windows, doc};
};

class Vosk1ViewTest : public ScratchDirectoryTest {
protected:
    // The start directory holds "Vosk.ini" naming "t.mse", with a line end the program would not
    // write, that table and a drawing; the program directory holds a drawing of its own, which
    // tells where the pass ran, and "x.mse".
    void Populate(void (*setup)()) const {
        std::filesystem::current_path(Directory());
        for (const auto& entry : std::filesystem::directory_iterator(Directory())) {
            std::filesystem::remove_all(entry.path());
        }
        std::filesystem::create_directory(kApp);
        WriteFile("temp.txt", "ch 0 0 1 0 \"S\r\n");
        WriteFile("Vosk.ini", "t.mse\r\n");
        WriteFile("t.mse", TableBytes({{"A", "B"}}));
        WriteFile(InApp("temp.txt"), "hq\r\nch 0 0 1 0 \"A\r\nch 0 0 1 0 \"Z\r\n");
        WriteFile(InApp("x.mse"), "X ---> Y");
        if (setup != nullptr) {
            setup();
        }
    }

    // What a command can change: the files of both directories, those of the program directory
    // as "app/<name>", and the form's flag, arrow cells, titles set, boxes and close requests.
    std::map<std::string, std::string> Observe(Form& form) const {
        std::map<std::string, std::string> seen;
        for (const auto& [prefix, files] :
             {std::pair{"", Directory()}, {"app/", Directory() / kApp}}) {
            for (const auto& entry : std::filesystem::directory_iterator(files)) {
                if (entry.is_regular_file()) {
                    seen[prefix + entry.path().filename().string()] = ReadFile(entry.path());
                }
            }
        }
        HeadlessWindowSystem& windows = form.windows;
        seen["flag"] = std::to_string(form.view.m_bNewTable);
        std::set<std::string> arrows;
        for (int r = 0; r < 10; ++r) {
            arrows.insert(windows.cells[IDC_ARROW_FIRST + r]);
        }
        seen["arrows"] = Join({arrows.begin(), arrows.end()});
        seen["titles"] = Join(windows.titles);
        std::vector<std::string> boxes;
        for (const auto& [text, type] : windows.messages) {
            boxes.push_back(text);
            EXPECT_EQ(type, text == kNewTableQuestion ? kMbYesNo | kMbIconInformation
                                                      : kMbOk | kMbIconStop);
        }
        seen["boxes"] = Join(boxes);
        seen["closes"] = std::to_string(windows.closeRequests);
        for (const FileDialogOptions& dialog : windows.dialogs) {
            EXPECT_TRUE(dialog.initialName == kTableDialogInitialName &&
                        dialog.filter == kTableDialogFilter && dialog.overwritePrompt);
        }
        return seen;
    }
};

TEST_F(Vosk1ViewTest, StartUpShowsTheLastTableOrSaysWhyItCannot) {
    const std::string opening = kMissing + kOpeningNewTable;
    const struct {
        void (*setup)();
        std::string message;
        std::string path;
        std::string row1;  // before and after text
        std::string list;
    } cases[] = {
        {nullptr, "", "t.mse", "AB", "S\r\n"},
        {[] { std::filesystem::remove("Vosk.ini"); }, "Vosk.ini" + opening, "", "", "S\r\n"},
        {[] { std::filesystem::remove("t.mse"); }, "t.mse" + opening, "t.mse", "", "S\r\n"},
        {[] { std::filesystem::remove("temp.txt"); }, "temp.txt" + kMissing, "t.mse", "AB", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Populate(c.setup);
        Form form(Directory());
        const std::map<std::string, std::string> seen = Observe(form);
        EXPECT_EQ(seen.at("boxes"), c.message);
        EXPECT_EQ(form.windows.titles, std::vector{c.path});
        EXPECT_EQ(seen.at("arrows"), kArrowCellText);
        EXPECT_EQ(form.windows.cells[IDC_BEFORE_FIRST] + form.windows.cells[IDC_AFTER_FIRST],
                  c.row1);
        EXPECT_EQ(form.windows.cells[IDC_TEXT_LIST], c.list);
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
    EXPECT_FALSE(IsShadedCell(IDC_BEFORE_FIRST - 1) || IsShadedCell(IDC_ARROW_FIRST + 10) ||
                 IsShadedCell(IDC_TEXT_LIST));
}

// Commands after a start, the answers to their questions and dialogs as the headless window
// system takes them, with names taken in the program directory, and what they change, as
// "<what>=<value>" named as by Observe.
struct Scenario {
    // The steps, then answers and changes. N New, O Open, S Save, A Save As, C Confirm, X Cancel;
    // t types Z and Y into row 2; u makes the after cell of row 3, U the before cell of row 10
    // hold what Shift-JIS cannot represent.
    std::vector<std::string> row;
    void (*setup)() = nullptr;
};

void Perform(Form& form, char step) {
    using V = CVosk1View;
    static const std::map<char, void (V::*)() noexcept> commands = {
        {'N', &V::OnFileNew},    {'O', &V::OnFileOpen}, {'S', &V::OnFileSave},
        {'A', &V::OnFileSaveAs}, {'C', &V::OnConfirm},  {'X', &V::OnCancelButton}};
    HeadlessWindowSystem& windows = form.windows;
    if (step == 't') {
        windows.cells[IDC_BEFORE_FIRST + 1] = "Z";
        windows.cells[IDC_AFTER_FIRST + 1] = "Y";
    } else if (step == 'u' || step == 'U') {
        windows.unrepresentableCells = {step == 'u' ? IDC_AFTER_FIRST + 2 : IDC_BEFORE_FIRST + 9};
    } else {
        (form.view.*commands.at(step))();
    }
}

TEST_F(Vosk1ViewTest, CommandsChangeWhatTheyShould) {
    const std::string typed = TableBytes({{"A", "B"}, {"Z", "Y"}});
    const std::string typedAfterNew = TableBytes({{"", ""}, {"Z", "Y"}});
    const std::string empty = TableBytes({});
    const std::string passInStart = "jwc_temp.txt=ch 0 0 1 0 \"S\r\n";
    const auto passInApp = [](const char* first, const char* second) {
        return std::string("app/jwc_temp.txt=hd\r\nch 0 0 1 0 \"") + first + "\r\nch 0 0 1 0 \"" +
               second + "\r\n";
    };
    const std::string q = kNewTableQuestion;
    const std::string question = "boxes=" + q;
    const std::string notFound = kFrameworkFileNotFound + 2;  // past "%1"
    const std::string accessDenied = kFrameworkAccessDenied + 2;
    const std::string untitled = kUntitledFileName;
    void (*noVoskIni)() = [] { std::filesystem::remove("Vosk.ini"); };
    const auto unrepresentable = [](const char* row, const char* column) {
        return "boxes=" + (row + std::string(kRowSuffix)) + column + kUnrepresentableText;
    };
    const std::string closes = "closes=1";
    const std::string newArrows = "arrows=  ---> ";
    const std::string stillNew = "flag=1";
    const Scenario scenarios[] = {
        {{"tC", "t.mse=" + typed, passInApp("B", "Y"), closes}},
        {{"tS", "t.mse=" + typed, "Vosk.ini=t.mse"}},
        {{"NtA", "save:s.mse", "app/s.mse=" + typedAfterNew, "app/Vosk.ini=s.mse", "titles=s.mse",
          newArrows}},
        {{"NA", "save:", "titles=t.mse", newArrows, stillNew}},
        {{"NA", "save:gone/s.mse", "app/Vosk.ini=gone/s.mse", "boxes=gone/s.mse" + notFound,
          newArrows, stillNew}},
        {{"NtS", "save:s.mse", "app/s.mse=" + typedAfterNew, "app/Vosk.ini=s.mse", "titles=s.mse",
          newArrows}},
        {{"NC", "no", passInStart, question, newArrows, stillNew, closes}},
        {{"NC", "yes", "save:", passInStart, question, "titles=t.mse", newArrows, closes}},
        {{"NC", "yes", "save:s.mse", "app/s.mse=" + empty, "app/Vosk.ini=s.mse",
          passInApp("A", "Z"), question, "titles=s.mse", newArrows, closes}},
        {{"tC", "yes", "save:s.mse", "app/s.mse=" + typedAfterNew, "app/Vosk.ini=s.mse",
          passInApp("A", "Y"), question, "titles=s.mse", closes},
         noVoskIni},
        {{"SC", "no", "Vosk.ini=", "boxes=" + untitled + notFound + "\n" + q, passInStart, closes},
         noVoskIni},
        {{"NOS", "open:x.mse", "app/Vosk.ini=x.mse", "app/x.mse=" + TableBytes({{"X", "Y"}}),
          "titles=x.mse"}},
        {{"NOC", "open:new.mse", "app/Vosk.ini=new.mse", "app/new.mse=" + empty,
          passInApp("A", "Z"), "boxes=new.mse" + kMissing + kOpeningNewTable, "titles=new.mse",
          closes}},
        {{"NOC", "open:", "no", passInStart, question, newArrows, stillNew, closes}},
        {{"NO", "open:x.mse", "boxes=Vosk.ini" + accessDenied, newArrows},
         [] { std::filesystem::create_directory(InApp("Vosk.ini")); }},
        {{"NX", newArrows, stillNew, closes}},
        {{"tC", "boxes=gone/t.mse" + notFound}, [] { WriteFile("Vosk.ini", "gone/t.mse"); }},
        {{"C", "app/jwc_temp.txt=", "boxes=temp.txt" + kMissing, closes},
         [] { std::filesystem::remove(InApp("temp.txt")); }},
        {{"uC", unrepresentable("3", kAfterColumnName)}},
        {{"US", unrepresentable("10", kBeforeColumnName)}},
        {{"uA", unrepresentable("3", kAfterColumnName)}},
    };
    for (const Scenario& c : scenarios) {
        SCOPED_TRACE(testing::Message() << "scenario " << &c - scenarios + 1 << ", " << c.row[0]);
        Populate(c.setup);
        Form form(Directory());
        HeadlessWindowSystem& windows = form.windows;
        windows.messages.clear();
        windows.titles.clear();
        std::map<std::string, std::string> expected = Observe(form);
        for (const std::string& item : std::vector(c.row.begin() + 1, c.row.end())) {
            const size_t equals = item.find('=');
            if (equals == std::string::npos) {
                windows.answers.push_back(item);
            } else {
                expected[item.substr(0, equals)] = item.substr(equals + 1);
            }
        }
        for (const char step : c.row[0]) {
            Perform(form, step);
        }
        EXPECT_EQ(Observe(form), expected);
        EXPECT_EQ(windows.unscripted, 0);
        EXPECT_TRUE(windows.answers.empty());
    }
}

}  // namespace

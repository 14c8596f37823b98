#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Cp932_win.h"
#include "res/resource.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/win/Vosk1Driver.h"

namespace fs = std::filesystem;

namespace {

struct Row {
    std::wstring before;
    std::wstring after;
};

// The ten rows of a table file, as the cells show them.
std::vector<Row> RowsOf(const std::string& table) {
    std::vector<Row> rows;
    size_t start = 0;
    for (size_t end; (end = table.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = table.substr(start, end - start);
        const std::string_view separator = " ---> ";
        const size_t at = line.find(separator);
        rows.push_back(
            {WideFromCp932(line.substr(0, at)), WideFromCp932(line.substr(at + separator.size()))});
    }
    return rows;
}

// A cell of row i, counting from 0: Cell(IDC_AFTER_FIRST, 2) is the after cell of row 3.
int Cell(int first, size_t i) {
    return first + static_cast<int>(i);
}

BOOL CALLBACK FindChildWithText(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<std::pair<const std::wstring*, HWND>*>(lParam);
    if (Vosk1Driver::TextOf(child) == *search->first) {
        search->second = child;
        return FALSE;
    }
    return TRUE;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    std::pair<const std::wstring*, HWND> search{&text, nullptr};
    EnumChildWindows(parent, FindChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

const std::wstring kAppCaptionEnd = L" - Vosk2";
// 　--->
const std::wstring kArrowText = L"\u3000--->";
// The texts of data/temp.txt: 会議室, 倉庫, 応接室, 廊下.
const std::wstring kDrawingTexts =
    L"\u4f1a\u8b70\u5ba4\r\n\u5009\u5eab\r\n\u5fdc\u63a5\u5ba4\r\n"
    L"\u5eca\u4e0b\r\n";

// Each test copies Vosk1.exe and the drawing into a folder of its own, as a host would, and
// points "Vosk.ini" at a copy of data/startup.mse. The program directory is then the current
// directory of the process, where the replacement pass looks for "temp.txt".
class EndToEndTest : public ScratchDirectoryTest {
protected:
    void SetUp() override {
        // The build's paths: under Wine a Unix path resolves on the drive of the starting
        // directory, which maps the Unix root, so resolve them before the fixture leaves it.
        m_program = fs::absolute(VOSK1_PROGRAM);
        m_data = fs::absolute(VOSK1_TEST_DATA);
        ScratchDirectoryTest::SetUp();
        // 作業表: the last character ends in the byte 0x5C in Shift-JIS.
        m_work = Directory() / L"\u4f5c\u696d\u8868";
        fs::create_directories(m_work);
        fs::copy_file(m_program, m_work / L"Vosk1.exe");
        fs::copy_file(m_data / L"temp.txt", m_work / L"temp.txt");
        m_table = m_work / L"startup.mse";
        fs::copy_file(m_data / L"startup.mse", m_table);
        m_pointer = *Cp932FromWide(m_table.wstring());
        WriteFile(m_work / L"Vosk.ini", m_pointer);
    }

    // Starts the program with "/P1" and waits for its main window.
    std::unique_ptr<Vosk1Driver> Start() {
        auto driver = std::make_unique<Vosk1Driver>(m_work / L"Vosk1.exe", L"/P1", m_work);
        EXPECT_TRUE(driver->Started());
        m_main = driver->WaitForMainWindow();
        EXPECT_NE(m_main, nullptr) << "no main window";
        return driver;
    }

    void TypeRows(const Vosk1Driver& driver, const std::vector<Row>& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            Vosk1Driver::SetTextOf(driver.Control(Cell(IDC_BEFORE_FIRST, i)), rows[i].before);
            Vosk1Driver::SetTextOf(driver.Control(Cell(IDC_AFTER_FIRST, i)), rows[i].after);
        }
    }

    std::string Data(const wchar_t* name) const { return ReadFile(m_data / name); }

    fs::path m_program;
    fs::path m_data;
    fs::path m_work;
    fs::path m_table;
    std::string m_pointer;  // the Shift-JIS bytes of "Vosk.ini"
    HWND m_main = nullptr;
};

TEST_F(EndToEndTest, StartUpShowsTheLastTableAndTheDrawingTextsAndCancelWritesNothing) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);

    EXPECT_EQ(Vosk1Driver::TextOf(m_main), m_table.wstring() + kAppCaptionEnd);
    const std::vector<Row> rows = RowsOf(Data(L"startup.mse"));
    ASSERT_EQ(rows.size(), 10u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(Cell(IDC_BEFORE_FIRST, i))), rows[i].before)
            << i;
        EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(Cell(IDC_ARROW_FIRST, i))), kArrowText) << i;
        EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(Cell(IDC_AFTER_FIRST, i))), rows[i].after)
            << i;
    }
    EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(IDC_TEXT_LIST)), kDrawingTexts);

    // Tab runs through before and after of each row, skips the arrows, then the buttons and list.
    std::vector<int> tabOrder;
    for (size_t i = 0; i < 10; ++i) {
        tabOrder.insert(tabOrder.end(), {Cell(IDC_BEFORE_FIRST, i), Cell(IDC_AFTER_FIRST, i)});
    }
    tabOrder.insert(tabOrder.end(),
                    {IDC_CONFIRM, IDC_CANCEL_BUTTON, IDC_TEXT_LIST, IDC_BEFORE_FIRST});
    HWND item = driver->Control(IDC_BEFORE_FIRST);
    for (size_t k = 1; k < tabOrder.size(); ++k) {
        item = GetNextDlgTabItem(driver->Form(), item, FALSE);
        ASSERT_EQ(GetDlgCtrlID(item), tabOrder[k]) << "tab stop " << k;
    }

    Vosk1Driver::Click(driver->Control(IDC_CANCEL_BUTTON));
    EXPECT_EQ(driver->WaitForExit(), 0u);
    EXPECT_FALSE(fs::exists(m_work / L"jwc_temp.txt"));
    EXPECT_EQ(ReadFile(m_table), Data(L"startup.mse"));
    EXPECT_EQ(ReadFile(m_work / L"Vosk.ini"), m_pointer);
}

TEST_F(EndToEndTest, ConfirmSavesTheTypedRowsAndWritesTheReplacedDrawing) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);

    TypeRows(*driver, RowsOf(Data(L"typed.mse")));
    Vosk1Driver::Click(driver->Control(IDC_CONFIRM));

    EXPECT_EQ(driver->WaitForExit(), 0u);
    EXPECT_EQ(ReadFile(m_table), Data(L"typed.mse"));
    EXPECT_EQ(ReadFile(m_work / L"jwc_temp.txt"), Data(L"expected_jwc_temp.txt"));
    EXPECT_EQ(ReadFile(m_work / L"Vosk.ini"), m_pointer);
}

TEST_F(EndToEndTest, ConfirmAfterNewAsksAndSavesThroughTheSaveDialog) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);

    driver->PostCommand(ID_FILE_NEW);
    EXPECT_EQ(Vosk1Driver::WaitForText(driver->Control(Cell(IDC_ARROW_FIRST, 9)), L"  ---> "),
              L"  ---> ");
    EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(IDC_BEFORE_FIRST)), L"");
    TypeRows(*driver, RowsOf(Data(L"typed.mse")));
    Vosk1Driver::Click(driver->Control(IDC_CONFIRM));

    // 新規ファイルは上書きされません！\n保存しますか？
    const std::wstring question =
        L"\u65b0\u898f\u30d5\u30a1\u30a4\u30eb\u306f\u4e0a\u66f8\u304d\u3055\u308c\u307e\u305b"
        L"\u3093\uff01\n\u4fdd\u5b58\u3057\u307e\u3059\u304b\uff1f";
    HWND box = driver->WaitForDialog([&](HWND d) { return ChildWithText(d, question) != nullptr; });
    ASSERT_NE(box, nullptr) << "no question";
    EXPECT_EQ(Vosk1Driver::TextOf(box), L"Vosk2");
    Vosk1Driver::Click(GetDlgItem(box, IDYES));

    // The explorer-style dialog names its file box cmb13, the older one edt1.
    constexpr int kFileNameCombo = 1148;
    constexpr int kFileNameEdit = 1152;
    HWND save = driver->WaitForDialog([](HWND d) {
        return GetDlgItem(d, kFileNameCombo) != nullptr || GetDlgItem(d, kFileNameEdit) != nullptr;
    });
    ASSERT_NE(save, nullptr) << "no save dialog";
    HWND fileName = GetDlgItem(save, kFileNameCombo);
    if (fileName == nullptr) {
        fileName = GetDlgItem(save, kFileNameEdit);
    }
    // 新しい表.mse
    const fs::path chosen = m_work / L"\u65b0\u3057\u3044\u8868.mse";
    Vosk1Driver::SetTextOf(fileName, chosen.wstring());
    Vosk1Driver::Click(GetDlgItem(save, IDOK));

    EXPECT_EQ(driver->WaitForExit(), 0u);
    EXPECT_EQ(ReadFile(chosen), Data(L"typed.mse"));
    EXPECT_EQ(ReadFile(m_work / L"Vosk.ini"), Cp932FromWide(chosen.wstring()));
    EXPECT_EQ(ReadFile(m_work / L"jwc_temp.txt"), Data(L"expected_jwc_temp.txt"));
    EXPECT_EQ(ReadFile(m_table), Data(L"startup.mse"));
}

TEST_F(EndToEndTest, AboutBoxOpensAndClosesAndTheExitEntryWritesNothing) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);

    driver->PostCommand(ID_APP_ABOUT);
    // Vosk1のﾊﾞｰｼﾞｮﾝ情報
    const std::wstring caption =
        L"Vosk1\u306e\uff8a\uff9e\uff70\uff7c\uff9e\uff6e\uff9d\u60c5\u5831";
    HWND about = driver->WaitForDialog([&](HWND d) { return Vosk1Driver::TextOf(d) == caption; });
    ASSERT_NE(about, nullptr) << "no about box";
    EXPECT_NE(ChildWithText(about, L"Vosk1 Version 1.0"), nullptr);
    Vosk1Driver::Click(GetDlgItem(about, IDOK));
    EXPECT_TRUE(driver->WaitUntilGone(about));
    EXPECT_EQ(Vosk1Driver::TextOf(driver->Control(IDC_BEFORE_FIRST)),
              RowsOf(Data(L"startup.mse"))[0].before);

    driver->PostCommand(ID_APP_EXIT);
    EXPECT_EQ(driver->WaitForExit(), 0u);
    EXPECT_FALSE(fs::exists(m_work / L"jwc_temp.txt"));
    EXPECT_EQ(ReadFile(m_table), Data(L"startup.mse"));
}

TEST_F(EndToEndTest, ClipboardCommandsReachTheFocusedCell) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);
    // The first cell has the focus once the window is shown.
    HWND cell = driver->Control(IDC_BEFORE_FIRST);
    // 複写
    const std::wstring text = L"\u8907\u5199";
    Vosk1Driver::SetTextOf(cell, text);

    SendMessageW(cell, EM_SETSEL, 0, -1);
    driver->PostCommand(ID_EDIT_CUT);
    EXPECT_EQ(Vosk1Driver::WaitForText(cell, L""), L"") << "cut";
    driver->PostCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Vosk1Driver::WaitForText(cell, text), text) << "undo";
    SendMessageW(cell, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    driver->PostCommand(ID_EDIT_PASTE);
    EXPECT_EQ(Vosk1Driver::WaitForText(cell, text + text), text + text) << "paste";

    Vosk1Driver::Click(driver->Control(IDC_CANCEL_BUTTON));
    EXPECT_EQ(driver->WaitForExit(), 0u);
}

TEST_F(EndToEndTest, CellsOfOddRowsAreGreyAndOfEvenRowsWhite) {
    auto driver = Start();
    ASSERT_NE(m_main, nullptr);

    const COLORREF grey = RGB(240, 240, 240);
    const COLORREF white = GetSysColor(COLOR_WINDOW);
    std::string mismatches;
    const bool striped = WaitUntil([&] {
        mismatches.clear();
        for (size_t i = 0; i < 10; ++i) {
            const COLORREF expected = i % 2 == 0 ? grey : white;
            for (int id :
                 {Cell(IDC_BEFORE_FIRST, i), Cell(IDC_ARROW_FIRST, i), Cell(IDC_AFTER_FIRST, i)}) {
                if (Vosk1Driver::ScreenColorAtRightEdge(driver->Control(id)) != expected) {
                    mismatches += std::to_string(id) + " ";
                }
            }
        }
        return mismatches.empty();
    });
    EXPECT_TRUE(striped) << "cells with the wrong background: " << mismatches;

    Vosk1Driver::Click(driver->Control(IDC_CANCEL_BUTTON));
    EXPECT_EQ(driver->WaitForExit(), 0u);
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Cp932_win.h"
#include "res/resource.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/win/Vosk1Driver.h"

namespace fs = std::filesystem;

namespace {

// Resolved before any test makes its own directory current: under Wine a Unix path resolves on
// the drive of the current directory, which maps the Unix root.
const fs::path kProgram = fs::absolute(VOSK1_PROGRAM);
const fs::path kData = fs::absolute(VOSK1_TEST_DATA);

// The before, arrow and after cells that the rows of a table file fill, by control id.
std::map<int, std::wstring> CellsOf(const std::string& table) {
    std::map<int, std::wstring> cells;
    std::istringstream lines(table);
    std::string line;
    for (int i = 0; std::getline(lines, line); ++i) {
        line.pop_back();  // the "\r" of "\r\n"
        const size_t arrow = line.find(" ---> ");
        cells[IDC_BEFORE_FIRST + i] = WideFromCp932(line.substr(0, arrow));
        cells[IDC_ARROW_FIRST + i] = L"\u3000--->";  // 　--->
        cells[IDC_AFTER_FIRST + i] = WideFromCp932(line.substr(arrow + 6));
    }
    return cells;
}

void Type(const Vosk1Driver& driver, const std::string& table) {
    for (const auto& [id, text] : CellsOf(table)) {
        SetText(driver.Cell(id), text);
    }
}

// Each test copies Vosk1.exe, the drawing and data/startup.mse into a folder of its own, whose name
// ends in the byte 0x5C in Shift-JIS, and points "Vosk.ini" at that table. The program runs from
// there: the replacement pass reads "temp.txt" from the program's folder.
class EndToEndTest : public ScratchDirectoryTest {
protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        m_work = Directory() / L"\u4f5c\u696d\u8868";  // 作業表
        fs::create_directories(m_work);
        fs::copy_file(kProgram, m_work / L"Vosk1.exe");
        fs::copy_file(kData / L"temp.txt", m_work / L"temp.txt");
        fs::copy_file(kData / L"startup.mse", m_work / L"startup.mse");
        WriteFile(m_work / L"Vosk.ini", *Cp932FromWide((m_work / L"startup.mse").wstring()));
        m_expected = Files();
    }

    // The folder's files but the program, by name.
    std::map<std::wstring, std::string> Files() const {
        std::map<std::wstring, std::string> files;
        for (const auto& entry : fs::directory_iterator(m_work)) {
            if (entry.path().extension() != L".exe") {
                files[entry.path().filename().wstring()] = ReadFile(entry.path());
            }
        }
        return files;
    }

    std::string Data(const wchar_t* name) const { return ReadFile(kData / name); }

    fs::path m_work;
    std::map<std::wstring, std::string> m_expected;  // the files as they should be at the end
};

TEST_F(EndToEndTest, StartUpFillsTheStripedFormAndCancelDiscardsTheCells) {
    Vosk1Driver driver(m_work);
    ASSERT_NE(driver.MainWindow(), nullptr);
    EXPECT_EQ(TextOf(driver.MainWindow()), (m_work / L"startup.mse").wstring() + L" - Vosk2");
    std::map<int, std::wstring> expected = CellsOf(Data(L"startup.mse"));
    // 会議室, 倉庫, 応接室, 廊下: the texts of data/temp.txt.
    expected[IDC_TEXT_LIST] =
        L"\u4f1a\u8b70\u5ba4\r\n\u5009\u5eab\r\n\u5fdc\u63a5\u5ba4\r\n\u5eca\u4e0b\r\n";
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(TextOf(driver.Cell(id)), text) << id;
    }

    // Tab runs through before and after of each row, not the arrows, then the buttons and the
    // list, and round again. All three cells of the odd rows are grey, of the even rows white.
    std::vector<int> tabOrder;
    std::map<int, COLORREF> stripes;
    for (int i = 0; i < 10; ++i) {
        tabOrder.insert(tabOrder.end(), {IDC_BEFORE_FIRST + i, IDC_AFTER_FIRST + i});
        for (const int first : {IDC_BEFORE_FIRST, IDC_ARROW_FIRST, IDC_AFTER_FIRST}) {
            stripes[first + i] = i % 2 == 0 ? RGB(240, 240, 240) : GetSysColor(COLOR_WINDOW);
        }
    }
    tabOrder.insert(tabOrder.end(),
                    {IDC_CONFIRM, IDC_CANCEL_BUTTON, IDC_TEXT_LIST, IDC_BEFORE_FIRST});
    HWND item = driver.Cell(IDC_BEFORE_FIRST);
    for (const int id : tabOrder) {
        EXPECT_EQ(GetDlgCtrlID(item), id);
        item = GetNextDlgTabItem(GetParent(item), item, FALSE);
    }
    // Read from the screen, since a window of another process cannot be read through its own DC,
    // near the right edge of each cell, past its text, once painted.
    std::map<int, COLORREF> colors;
    HDC screen = GetDC(nullptr);
    WaitUntil([&] {
        for (const auto& [id, color] : stripes) {
            RECT cell;
            GetWindowRect(driver.Cell(id), &cell);
            colors[id] = GetPixel(screen, cell.right - 3, (cell.top + cell.bottom) / 2);
        }
        return colors == stripes;
    });
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(colors, stripes);

    Type(driver, Data(L"typed.mse"));
    Click(driver.Cell(IDC_CANCEL_BUTTON));
    EXPECT_EQ(driver.WaitForExit(), 0u);
    EXPECT_EQ(Files(), m_expected);
}

TEST_F(EndToEndTest, AboutBoxAndClipboardCommandsAnswerAndExitWritesNothing) {
    Vosk1Driver driver(m_work);
    ASSERT_NE(driver.MainWindow(), nullptr);
    driver.Command(ID_APP_ABOUT);
    // Vosk1のﾊﾞｰｼﾞｮﾝ情報
    const std::wstring caption =
        L"Vosk1\u306e\uff8a\uff9e\uff70\uff7c\uff9e\uff6e\uff9d\u60c5\u5831";
    HWND about = driver.WaitForWindow([&](HWND window) { return TextOf(window) == caption; });
    ASSERT_NE(about, nullptr) << "no about box";
    EXPECT_NE(FindWindowExW(about, nullptr, nullptr, L"Vosk1 Version 1.0"), nullptr);
    Click(GetDlgItem(about, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }));

    // The first cell has the focus once the window is shown, and again once the box is gone.
    HWND cell = driver.Cell(IDC_BEFORE_FIRST);
    const std::wstring text = L"\u8907\u5199";  // 複写
    SetText(cell, text);
    Send(cell, EM_SETSEL, 0, -1);
    driver.Command(ID_EDIT_CUT);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell).empty(); })) << "cut";
    driver.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell) == text; })) << "undo";
    Send(cell, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    driver.Command(ID_EDIT_PASTE);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell) == text + text; })) << "paste";

    driver.Command(ID_APP_EXIT);
    EXPECT_EQ(driver.WaitForExit(), 0u);
    EXPECT_EQ(Files(), m_expected);
}

TEST_F(EndToEndTest, ConfirmSavesTheTypedRowsAndWritesTheReplacedDrawing) {
    Vosk1Driver driver(m_work);
    ASSERT_NE(driver.MainWindow(), nullptr);
    Type(driver, Data(L"typed.mse"));
    Click(driver.Cell(IDC_CONFIRM));
    EXPECT_EQ(driver.WaitForExit(), 0u);
    m_expected[L"startup.mse"] = Data(L"typed.mse");
    m_expected[L"jwc_temp.txt"] = Data(L"expected_jwc_temp.txt");
    EXPECT_EQ(Files(), m_expected);
}

TEST_F(EndToEndTest, ConfirmAfterNewAsksAndSavesThroughTheSaveDialog) {
    Vosk1Driver driver(m_work);
    ASSERT_NE(driver.MainWindow(), nullptr);
    driver.Command(ID_FILE_NEW);
    // New empties the cells: type once it has.
    EXPECT_TRUE(WaitUntil([&] { return TextOf(driver.Cell(IDC_ARROW_FIRST + 9)) == L"  ---> "; }));
    Type(driver, Data(L"typed.mse"));
    Click(driver.Cell(IDC_CONFIRM));
    HWND box = driver.WaitForWindow([](HWND window) {
        // 新規ファイルは上書きされません！\n保存しますか？
        return TextOf(window) == L"Vosk2" &&
               FindWindowExW(window, nullptr, nullptr,
                             L"\u65b0\u898f\u30d5\u30a1\u30a4\u30eb\u306f\u4e0a\u66f8\u304d\u3055"
                             L"\u308c\u307e\u305b\u3093\uff01\n\u4fdd\u5b58\u3057\u307e\u3059"
                             L"\u304b\uff1f") != nullptr;
    });
    ASSERT_NE(box, nullptr) << "no question";
    Click(GetDlgItem(box, IDYES));
    constexpr int kFileNameBox = 1148;  // cmb13 of the explorer-style dialog
    HWND save = driver.WaitForWindow(
        [](HWND dialog) { return GetDlgItem(dialog, kFileNameBox) != nullptr; });
    ASSERT_NE(save, nullptr) << "no save dialog";
    const fs::path chosen = m_work / L"\u65b0\u3057\u3044\u8868.mse";  // 新しい表.mse
    SetText(GetDlgItem(save, kFileNameBox), chosen.wstring());
    Click(GetDlgItem(save, IDOK));

    EXPECT_EQ(driver.WaitForExit(), 0u);
    m_expected[chosen.filename().wstring()] = Data(L"typed.mse");
    m_expected[L"Vosk.ini"] = *Cp932FromWide(chosen.wstring());
    m_expected[L"jwc_temp.txt"] = Data(L"expected_jwc_temp.txt");
    EXPECT_EQ(Files(), m_expected);
}

}  // namespace

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "base/Cp932_win.h"
#include "res/resource.h"
#include "tests/support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

// The built program, or the one VOSK1_PROGRAM names (the release package's check runs the
// unpacked one). Resolved before any test makes its own directory current: under Wine a Unix path
// resolves on the drive of the current directory, which maps the Unix root.
const wchar_t* const kChosenProgram = _wgetenv(L"VOSK1_PROGRAM");
const fs::path kProgram =
    fs::absolute(kChosenProgram != nullptr ? fs::path(kChosenProgram) : fs::path(VOSK1_PROGRAM));
const fs::path kData = fs::absolute(VOSK1_TEST_DATA);

// Generous: a cold Wine on a loaded machine takes seconds to show a first window.
bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted rather than sent: a click may open a modal box, whose loop would wait for this test.
void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// The before, arrow and after cells that the rows of a table file fill, by control id.
std::map<int, std::wstring> CellsOf(const std::string& table) {
    std::map<int, std::wstring> cells;
    std::istringstream lines(table);
    std::string line;
    for (int i = 0; std::getline(lines, line); ++i) {
        line.pop_back();  // the "\r" of "\r\n"
        const size_t arrow = line.find(" ---> ");
        cells[IDC_BEFORE_FIRST + i] = WideFromCp932(line.substr(0, arrow));
        cells[IDC_ARROW_FIRST + i] = L"　--->";
        cells[IDC_AFTER_FIRST + i] = WideFromCp932(line.substr(arrow + 6));
    }
    return cells;
}

// Each test runs Vosk1.exe with "/P1" in a folder of its own, whose name ends in the byte 0x5C in
// Shift-JIS, beside the files of data/ and a "Vosk.ini" naming startup.mse, and drives it through
// window messages only, as a host program would.
class EndToEndTest : public ScratchDirectoryTest {
protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        m_work = Directory() / L"作業表";
        fs::copy(kData, m_work);
        fs::copy_file(kProgram, m_work / L"Vosk1.exe");
        NameTable(m_work / L"startup.mse");
        m_expected = Files();
        Start();
    }
    void TearDown() override {
        Stop();
        ScratchDirectoryTest::TearDown();
    }

    void NameTable(const fs::path& table) {
        WriteFile(m_work / L"Vosk.ini", *Cp932FromWide(table.wstring()));
    }
    void Start() {
        std::wstring commandLine = L"\"" + (m_work / L"Vosk1.exe").wstring() + L"\" /P1";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   m_work.c_str(), &startup, &m_process));
        // Shown after the form's first refresh; the program's boxes have no menu.
        m_main = WaitForWindow([](HWND window) { return GetMenu(window) != nullptr; });
        ASSERT_NE(m_main, nullptr);
    }
    void Stop() {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    // The first shown top-level window of the program for which accept holds; null at the deadline.
    HWND WaitForWindow(const std::function<bool(HWND)>& accept) const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (found = GetTopWindow(nullptr); found != nullptr;
                 found = GetWindow(found, GW_HWNDNEXT)) {
                if (GetWindowThreadProcessId(found, nullptr) == m_process.dwThreadId &&
                    IsWindowVisible(found) && accept(found)) {
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    // Clicks button in the box that shows text; says whether the box showed and then went.
    bool Answer(const std::wstring& text, int button) const {
        HWND box = WaitForWindow([&](HWND window) {
            return FindWindowExW(window, nullptr, nullptr, text.c_str()) != nullptr;
        });
        Click(GetDlgItem(box, button));
        return box != nullptr && WaitUntil([&] { return !IsWindow(box); });
    }
    // Names file in the save dialog, having checked what the dialog offers; false without one.
    bool SaveAs(const fs::path& file) const {
        constexpr int kTypes = 1136, kName = 1148;  // cmb1 and cmb13 of the explorer-style dialog
        HWND dialog = WaitForWindow([](HWND window) { return GetDlgItem(window, kName); });
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kName)), L"無題.mse");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kTypes)), L"設定(*.mse)");
        SetText(GetDlgItem(dialog, kName), file.wstring());
        Click(GetDlgItem(dialog, IDOK));
        return dialog != nullptr;
    }
    // A control of the form, which fills the main window.
    HWND Cell(int id) const {
        return GetDlgItem(FindWindowExW(m_main, nullptr, L"#32770", nullptr), id);
    }
    void Command(WPARAM id) const { PostMessageW(m_main, WM_COMMAND, id, 0); }
    // A point inside a line of the text list, in the list's client coordinates.
    POINT LinePoint(WPARAM line) const {
        HWND list = Cell(IDC_TEXT_LIST);
        const auto start = static_cast<WPARAM>(SendMessageW(list, EM_LINEINDEX, line, 0));
        const LRESULT at = SendMessageW(list, EM_POSFROMCHAR, start, 0);
        return {LOWORD(at) + 4, HIWORD(at) + 4};
    }
    void DoubleClick(WPARAM line) const {
        const POINT point = LinePoint(line);
        for (const UINT message : std::initializer_list<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                              WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            PostMessageW(Cell(IDC_TEXT_LIST), message, 0, MAKELPARAM(point.x, point.y));
        }
    }
    std::wstring Status() const {
        return TextOf(FindWindowExW(m_main, nullptr, STATUSCLASSNAMEW, nullptr));
    }
    void Type(const std::string& table) const {
        for (const auto& [id, text] : CellsOf(table)) {
            SetText(Cell(id), text);
        }
    }
    // STILL_ACTIVE when the program still runs at the deadline.
    DWORD WaitForExit() const {
        WaitForSingleObject(m_process.hProcess, 30000);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    // The folder's files but the program.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files = Snapshot(m_work);
        files.erase("Vosk1.exe");
        return files;
    }
    std::string Data(const wchar_t* name) const { return ReadFile(kData / name); }

    fs::path m_work;
    std::map<std::string, std::string> m_expected;  // the files as they should be at the end
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

TEST_F(EndToEndTest, StartUpShowsTheTableAndTextsAndCommandsReachTheForm) {
    EXPECT_EQ(TextOf(m_main), (m_work / L"startup.mse").wstring() + L" - Vosk2");
    std::map<int, std::wstring> expected = CellsOf(Data(L"startup.mse"));
    expected[IDC_TEXT_LIST] = L"会議室\r\n倉庫\r\n応接室\r\n廊下\r\n";  // of data/temp.txt
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(TextOf(Cell(id)), text) << id;
    }
    // The odd rows are grey. Read from the screen, as a window of another process cannot be read
    // through its own DC, near the right edge of the cell, past its text, once painted.
    const std::map<int, COLORREF> stripes = {{IDC_ARROW_FIRST, RGB(240, 240, 240)},
                                             {IDC_AFTER_FIRST + 1, GetSysColor(COLOR_WINDOW)}};
    HDC screen = GetDC(nullptr);
    for (const auto& [id, color] : stripes) {
        RECT cell;
        GetWindowRect(Cell(id), &cell);
        EXPECT_TRUE(WaitUntil([&] {
            return GetPixel(screen, cell.right - 3, (cell.top + cell.bottom) / 2) == color;
        })) << id;
    }
    ReleaseDC(nullptr, screen);

    Command(ID_APP_ABOUT);
    EXPECT_TRUE(Answer(L"図面の文字を置換表で置き換えます", IDOK)) << "about box";
    // The first cell has the focus once the window is shown, and again once the box is gone.
    HWND cell = Cell(IDC_BEFORE_FIRST);
    SetText(cell, L"複写");
    SendMessageW(cell, EM_SETSEL, 0, -1);
    Command(ID_EDIT_CUT);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell).empty(); })) << "cut";
    Command(ID_EDIT_PASTE);
    Command(ID_EDIT_PASTE);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell) == L"複写複写"; })) << "paste";

    // A double-click on the first line of the list puts its text into the current row, row 1.
    DoubleClick(0);
    EXPECT_TRUE(WaitUntil([&] {
        return Status() == L"行 1: 1 件を置換　合計: 置換 1 件、削除 1 件、複数行 0 件";
    })) << "status";
    EXPECT_EQ(TextOf(cell), L"会議室");
    // Picks take the line under the pointer, not the caret's.
    DoubleClick(2);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell) == L"応接室"; })) << "double-click";
    HWND list = Cell(IDC_TEXT_LIST);
    SendMessageW(list, EM_SETSEL, 0, 0);
    POINT point = LinePoint(1);
    ClientToScreen(list, &point);
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                 MAKELPARAM(point.x, point.y));
    PostMessageW(list, WM_CHAR, L'b', 0);  // 置換前に入れる(&B)
    EXPECT_TRUE(WaitUntil([&] { return TextOf(cell) == L"倉庫"; })) << "right click";

    // é, which the system's code page 1252 has, is refused rather than saved as "?" or "e".
    Type(Data(L"typed.mse"));
    SetText(Cell(IDC_AFTER_FIRST + 2), L"café");
    Click(Cell(IDC_CONFIRM));
    EXPECT_TRUE(Answer(L"3行目の置換　後に、Shift-JIS で表せない文字があります。", IDOK));
    Click(Cell(IDC_CANCEL_BUTTON));
    EXPECT_EQ(WaitForExit(), 0u);
    EXPECT_EQ(Files(), m_expected);
}

TEST_F(EndToEndTest, ConfirmAfterNewAsksAndSavesThroughTheSaveDialog) {
    Command(ID_FILE_NEW);
    // New empties the cells: type once it has.
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Cell(IDC_ARROW_FIRST + 9)) == L"  ---> "; }));
    Type(Data(L"typed.mse"));
    // A name that Shift-JIS cannot hold is refused, and the table stays new.
    Command(ID_FILE_SAVE_AS);
    ASSERT_TRUE(SaveAs(m_work / L"café.mse")) << "no save dialog";
    EXPECT_TRUE(Answer(L"ファイル名に Shift-JIS で表せない文字が含まれています。", IDOK));
    Click(Cell(IDC_CONFIRM));
    ASSERT_TRUE(Answer(L"新規ファイルは上書きされません！\n保存しますか？", IDYES));
    const fs::path chosen = m_work / L"新しい表.mse";
    ASSERT_TRUE(SaveAs(chosen)) << "no save dialog";
    EXPECT_EQ(WaitForExit(), 0u);
    m_expected["新しい表.mse"] = Data(L"typed.mse");
    m_expected["Vosk.ini"] = *Cp932FromWide(chosen.wstring());
    m_expected["jwc_temp.txt"] = Data(L"expected_jwc_temp.txt");
    EXPECT_EQ(Files(), m_expected);
}

// The table lies deeper than MAX_PATH, and another program (a virus scanner, say) holds the result
// open: Confirm waits for it a while.
TEST_F(EndToEndTest, ATableBeyondMaxPathAndAResultThatAnotherProgramHolds) {
    const fs::path table =
        Directory() / std::wstring(150, L'd') / std::wstring(150, L'e') / L"表.mse";
    fs::create_directories(table.parent_path());
    fs::copy_file(m_work / L"startup.mse", table);
    Stop();
    NameTable(table);
    Start();
    EXPECT_EQ(TextOf(m_main), table.wstring() + L" - Vosk2");
    const fs::path result = m_work / L"jwc_temp.txt";
    HANDLE held = CreateFileW(result.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Type(Data(L"typed.mse"));
    m_expected["Vosk.ini"] = *Cp932FromWide(table.wstring());
    // Held past the wait: an error naming the result, which stays as it was, and the form stays.
    Click(Cell(IDC_CONFIRM));
    ASSERT_TRUE(Answer(result.wstring() + L"\n ファイルに書き込めませんでした。", IDOK));
    m_expected["jwc_temp.txt"] = "";
    EXPECT_EQ(Files(), m_expected);
    // Held for half a second: Confirm succeeds.
    Click(Cell(IDC_CONFIRM));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    CloseHandle(held);
    EXPECT_EQ(WaitForExit(), 0u);
    m_expected["jwc_temp.txt"] = Data(L"expected_jwc_temp.txt");
    EXPECT_EQ(Files(), m_expected);
    EXPECT_EQ(ReadFile(table), Data(L"typed.mse"));
    // The runtime's own calls stop at MAX_PATH.
    DeleteFileW(table.c_str());
    RemoveDirectoryW(table.parent_path().c_str());
    RemoveDirectoryW(table.parent_path().parent_path().c_str());
}

TEST_F(EndToEndTest, PartMatchingChosenFromTheMenuIsKeptWithTheTableAndReplacesInsideTexts) {
    Command(ID_MATCH_PART);
    SetText(Cell(IDC_BEFORE_FIRST + 1), L"室");
    SetText(Cell(IDC_AFTER_FIRST + 1), L"ルーム");
    Click(Cell(IDC_CONFIRM));
    EXPECT_EQ(WaitForExit(), 0u);
    std::string table = Data(L"startup.mse");
    table.replace(table.find("\r\n") + 2, 6, *Cp932FromWide(L"室 ---> ルーム"));  // row 2
    m_expected["startup.mse"] = table + "#options match=part\r\n";
    m_expected["jwc_temp.txt"] = *Cp932FromWide(
        L"hd\r\nlg0\r\ncn1\r\nch 0 0 1 0 \"会議ルーム\r\nch 0 0 1 0 \"倉庫\r\nch 5 50 1 0 "
        L"\"応接ルーム\r\nxx 1 2\r\n");
    EXPECT_EQ(Files(), m_expected);
}

}  // namespace

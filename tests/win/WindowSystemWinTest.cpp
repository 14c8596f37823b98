#include <gtest/gtest.h>

#include "framework/WindowSystem_win.h"

#include <string>

namespace {

// A wide literal with its embedded NULs.
template <size_t N>
std::wstring WithNuls(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}

TEST(DialogFilterFromBarsTest, TurnsEveryBarIntoANulAfterConversion) {
    const struct {
        std::string filter;
        std::wstring expected;
    } cases[] = {
        // 設定(*.mse)|*.mse|すべて(*.*)|*.*||
        {"\x90\xDD\x92\xE8(*.mse)|*.mse|\x82\xB7\x82\xD7\x82\xC4(*.*)|*.*||",
         WithNuls(L"\u8a2d\u5b9a(*.mse)\0*.mse\0\u3059\u3079\u3066(*.*)\0*.*\0\0")},
        // ポ(*.p)|*.p||: the second byte of ポ is the bar's.
        {"\x83\x7C(*.p)|*.p||", WithNuls(L"\u30dd(*.p)\0*.p\0\0")},
        {"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogFilterFromBars(c.filter), c.expected) << c.filter;
    }
}

// Cells of a plain window stand in for the form.
class Win32WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        m_cell = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, m_parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCellId)), nullptr,
                                 nullptr);
        ASSERT_NE(m_cell, nullptr);
        m_windows.Attach(m_parent, m_parent);
    }
    void TearDown() override { DestroyWindow(m_parent); }

    static constexpr int kCellId = 1015;
    Win32WindowSystem m_windows{L"Vosk2", L""};
    HWND m_parent = nullptr;
    HWND m_cell = nullptr;
};

// Whatever the system's ANSI code page (the tests run under 1252), cells hold Shift-JIS.
TEST_F(Win32WindowSystemTest, CellTextCrossesAsShiftJis) {
    // 表示ソース: both characters end in the byte 0x5C.
    const std::string text = "\x95\x5C\x8E\xA6\x83\x5C\x81\x5B\x83\x58";
    m_windows.SetControlText(kCellId, text);
    wchar_t shown[16] = {};
    GetWindowTextW(m_cell, shown, 16);
    EXPECT_STREQ(shown, L"\u8868\u793a\u30bd\u30fc\u30b9");
    EXPECT_EQ(m_windows.GetControlText(kCellId), text);

    // é exists in code page 1252 but not in 932: never read back as "?" or "e".
    SetWindowTextW(m_cell, L"caf\u00e9");
    EXPECT_EQ(m_windows.GetControlText(kCellId), std::nullopt);
    SetWindowTextW(m_cell, L"");
    EXPECT_EQ(m_windows.GetControlText(kCellId), "");
}

}  // namespace

#include <gtest/gtest.h>

#include "framework/WindowSystem_win.h"

#include <string>
#include <utility>

namespace {

using namespace std::string_literals;

TEST(DialogFilterFromBarsTest, TurnsEveryBarIntoANulAfterConversion) {
    const std::pair<std::string, std::wstring> cases[] = {
        // 設定(*.mse)|*.mse|すべて(*.*)|*.*||
        {"\x90\xDD\x92\xE8(*.mse)|*.mse|\x82\xB7\x82\xD7\x82\xC4(*.*)|*.*||",
         L"\u8a2d\u5b9a(*.mse)\0*.mse\0\u3059\u3079\u3066(*.*)\0*.*\0\0"s},
        // ポ(*.p)|*.p||: the second byte of ポ is the bar's.
        {"\x83\x7C(*.p)|*.p||", L"\u30dd(*.p)\0*.p\0\0"s},
        {"", L""},
    };
    for (const auto& [filter, expected] : cases) {
        EXPECT_EQ(DialogFilterFromBars(filter), expected) << filter;
    }
}

// Whatever the system's ANSI code page (the tests run under 1252), cells hold Shift-JIS: é, which
// code page 1252 has and 932 has not, is never read back as "?" or "e".
TEST(Win32WindowSystemTest, CellTextWithoutShiftJisIsRefused) {
    constexpr int kCell = 1015;
    HWND form = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    HWND cell = CreateWindowExW(0, L"EDIT", L"caf\u00e9", WS_CHILD, 0, 0, 50, 20, form,
                                reinterpret_cast<HMENU>(INT_PTR{kCell}), nullptr, nullptr);
    ASSERT_NE(cell, nullptr);
    Win32WindowSystem windows(L"Vosk2", L"");
    windows.Attach(form, form);
    EXPECT_EQ(windows.GetControlText(kCell), std::nullopt);
    DestroyWindow(form);
}

}  // namespace

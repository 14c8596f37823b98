#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "res/resource.h"

namespace {

// Japanese here fails when a resource script was compiled without its UTF-8 code page.
TEST(ResourcesTest, StringsMenuAndVersionHoldTheirJapaneseTexts) {
    HMODULE module = LoadLibraryExW(std::filesystem::absolute(VOSK1_PROGRAM).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    wchar_t text[64] = {};
    LoadStringW(module, IDS_UNTITLED, text, 64);
    EXPECT_STREQ(text, L"\u7121\u984c");  // 無題

    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    GetMenuStringW(menu, ID_FILE_NEW, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"\u65b0\u898f\u4f5c\u6210(&N)\tCtrl+N");  // 新規作成(&N)\tCtrl+N
    EXPECT_EQ(GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, UINT{MF_GRAYED});
    DestroyMenu(menu);

    // The version block is in the top script, ahead of the scripts it includes.
    HRSRC block = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    void* description = nullptr;
    UINT length = 0;
    VerQueryValueW(LockResource(LoadResource(module, block)),
                   L"\\StringFileInfo\\041104B0\\FileDescription", &description, &length);
    // Vosk1 ｱﾌﾟﾘｹｰｼｮﾝ
    EXPECT_STREQ(static_cast<wchar_t*>(description),
                 L"Vosk1 \uff71\uff8c\uff9f\uff98\uff79\uff70\uff7c\uff6e\uff9d");
    FreeLibrary(module);
}

}  // namespace

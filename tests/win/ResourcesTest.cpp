#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "res/resource.h"

namespace {

// The texts as Vosk1.exe holds them; Japanese here fails when a resource script was compiled
// without its UTF-8 code page.
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_module = LoadLibraryExW(std::filesystem::absolute(VOSK1_PROGRAM).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }

    std::wstring String(UINT id) const {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(m_module, id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"<missing>";
    }

    HMODULE m_module = nullptr;
};

TEST_F(ResourcesTest, StringsAndMenuHoldTheirJapaneseTexts) {
    EXPECT_EQ(String(IDR_MAINFRAME), L"Vosk2\n\nVosk1\n\n\nVosk1.Document\nVosk1 Document");
    EXPECT_EQ(String(IDS_APP_TITLE), L"Vosk2");
    EXPECT_EQ(String(IDS_IDLE_MESSAGE), L"\uff9a\uff83\uff9e\uff68");  // ﾚﾃﾞｨ
    EXPECT_EQ(String(IDS_UNTITLED), L"\u7121\u984c");                  // 無題

    HMENU menu = LoadMenuW(m_module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    wchar_t item[64] = {};
    GetMenuStringW(menu, ID_FILE_NEW, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"\u65b0\u898f\u4f5c\u6210(&N)\tCtrl+N");  // 新規作成(&N)\tCtrl+N
    EXPECT_EQ(GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, UINT{MF_GRAYED});
    DestroyMenu(menu);
}

}  // namespace

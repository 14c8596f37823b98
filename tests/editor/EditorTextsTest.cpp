#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "editor/EditorTexts.h"
#include "tests/support/ScratchDirectory.h"

namespace {

// The Shift-JIS of UTF-8 text by glibc's iconv; what it cannot convert fails the test.
std::string ShiftJis(std::string utf8) {
    const iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size(), '\0');  // no character is longer in Shift-JIS
    char* source = utf8.data();
    char* target = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    EXPECT_NE(iconv(converter, &source, &inLeft, &target, &outLeft), static_cast<size_t>(-1))
        << utf8;
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

// The bytes of the C string literals in code, whose only escapes are \xHH and \n.
std::string LiteralBytes(const std::string& code) {
    std::string bytes;
    const std::regex piece(R"re("([^"]*)")re"), character(R"(\\x([0-9A-F]{2})|\\n|.)");
    for (std::sregex_iterator it(code.begin(), code.end(), piece), end; it != end; ++it) {
        const std::string text = (*it)[1];
        for (std::sregex_iterator c(text.begin(), text.end(), character); c != end; ++c) {
            const std::string hex = (*c)[1];
            bytes += !hex.empty()        ? static_cast<char>(std::stoi(hex, nullptr, 16))
                     : c->str() == "\\n" ? '\n'
                                         : c->str()[0];
        }
    }
    return bytes;
}

// The constants of EditorTexts.h: name, the UTF-8 comment line right above it, Shift-JIS bytes.
std::vector<std::array<std::string, 3>> HeaderTexts() {
    std::vector<std::array<std::string, 3>> texts;
    const std::string header = ReadFile(VOSK1_SOURCE_DIR "/editor/EditorTexts.h");
    const std::regex constant(R"re((?:// ([^\n]*)\n)?inline constexpr char (\w+)\[\] =([^;]*);)re");
    for (std::sregex_iterator it(header.begin(), header.end(), constant), end; it != end; ++it) {
        const std::string comment = std::regex_replace((*it)[1].str(), std::regex(R"(\\n)"), "\n");
        texts.push_back({(*it)[2], comment, LiteralBytes((*it)[3])});
    }
    return texts;
}

TEST(EditorTextsTest, EveryTextIsTheShiftJisOfItsComment) {
    const auto texts = HeaderTexts();
    EXPECT_GE(texts.size(), 32u);
    for (const auto& [name, comment, bytes] : texts) {
        EXPECT_EQ(bytes, ShiftJis(comment)) << name;
    }
}

}  // namespace

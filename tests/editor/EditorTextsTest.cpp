#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "editor/EditorTexts.h"
#include "tests/support/ScratchDirectory.h"

namespace {

// in converted by glibc's iconv; what it cannot convert fails the test.
std::string Convert(const char* to, const char* from, std::string in) {
    const iconv_t converter = iconv_open(to, from);
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << from << " to " << to;
    std::string out(in.size() * 3, '\0');  // a half-width kana: one byte, three in UTF-8
    char* source = in.data();
    char* target = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    EXPECT_NE(iconv(converter, &source, &inLeft, &target, &outLeft), static_cast<size_t>(-1)) << in;
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

// The bytes of the C string literals in code, whose only escapes are \xHH and \n.
std::string LiteralBytes(const std::string& code) {
    std::string bytes;
    const std::regex piece(R"re("([^"]*)")re");
    for (std::sregex_iterator it(code.begin(), code.end(), piece), end; it != end; ++it) {
        const std::string text = (*it)[1];
        for (size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\\x") == 0) {
                bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else if (text.compare(i, 2, "\\n") == 0) {
                bytes += '\n';
                ++i;
            } else {
                bytes += text[i];
            }
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
        EXPECT_EQ(bytes, Convert("CP932", "UTF-8", comment)) << name;
    }
}

}  // namespace

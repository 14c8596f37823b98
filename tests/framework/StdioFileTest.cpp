#include "framework/StdioFile.h"

#include <vector>

#include "tests/common/ScratchDirectory.h"

namespace {

class StdioFileTest : public ScratchDirectoryTest {
protected:
    static std::vector<std::string> ReadLines(const std::string& name) {
        CStdioFile file(name, CStdioFile::Mode::read);
        std::vector<std::string> lines;
        std::string line;
        while (file.ReadString(line)) {
            lines.push_back(line);
        }
        EXPECT_TRUE(line.empty());
        file.Close();
        return lines;
    }
};

TEST_F(StdioFileTest, ReadsLinesByTextModeRules) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"\n\r\n\n", {"", "", ""}},
        {"a\rb\r\n", {"a\rb"}},
        {"a\r\r\n", {"a\r"}},
        {"end\r", {"end\r"}},
        {"a\nb\x1A"
         "c\nd\n",
         {"a", "b"}},
        {"\x1A"
         "a\n",
         {}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
    };
    for (const auto& c : cases) {
        WriteFile("in.txt", c.bytes);
        EXPECT_EQ(ReadLines("in.txt"), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(StdioFileTest, LinesLongerThanTheBufferAndCrLfAcrossItsEdgeReadWhole) {
    // The first CR is the last byte of the first 64 KiB read, its LF the first of the next.
    const std::string first(65535, 'x');
    const std::string second(200000, 'y');
    WriteFile("in.txt", first + "\r\n" + second + "\r\n");
    EXPECT_EQ(ReadLines("in.txt"), (std::vector<std::string>{first, second}));
}

TEST_F(StdioFileTest, WritesEveryLineFeedAsCrLf) {
    CStdioFile file("out.txt", CStdioFile::Mode::write);
    file.WriteString("a\nb");
    file.WriteString("\r\n");
    file.WriteString(std::string(100000, 'y') + "\n");
    file.Close();
    EXPECT_EQ(ReadFile("out.txt"), "a\r\nb\r\r\n" + std::string(100000, 'y') + "\r\n");
}

TEST_F(StdioFileTest, RunsOfLinesCutAsReadLineReadsAndTellTheirCrLf) {
    WriteFile("in.txt", "crlf\r\nlf\ncr\r\r\n\r\nlone\rcr\nlast\r");
    CStdioFile input("in.txt", CStdioFile::Mode::read);
    std::vector<std::pair<std::string_view, bool>> lines;
    std::string_view run;
    while (input.ReadLines(run)) {
        ForEachLine(
            run, [&](const TextLine& line) { lines.emplace_back(line.text, line.EndsInCrLf()); });
    }
    const std::vector<std::pair<std::string_view, bool>> expected = {
        {"crlf", true}, {"lf", false},       {"cr\r", true},
        {"", true},     {"lone\rcr", false}, {"last\r", false},
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(StdioFileTest, FailedOpensCarryTheNameAsGivenAndTheirCause) {
    std::filesystem::create_directory("dir");
    const struct {
        std::string name;
        CStdioFile::Mode mode;
        CFileException::Cause cause;
    } cases[] = {
        {"missing.txt", CStdioFile::Mode::read, CFileException::Cause::fileNotFound},
        {"dir", CStdioFile::Mode::read, CFileException::Cause::accessDenied},
        {"dir", CStdioFile::Mode::write, CFileException::Cause::accessDenied},
        {"no/such/dir/out.txt", CStdioFile::Mode::write, CFileException::Cause::fileNotFound},
    };
    for (const auto& c : cases) {
        try {
            CStdioFile file(c.name, c.mode);
            ADD_FAILURE() << c.name << " opened";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_strFileName, c.name);
            EXPECT_EQ(error.m_cause, c.cause) << c.name;
            EXPECT_EQ(error.m_operation, CFileException::Operation::open);
        }
    }
}

}  // namespace

#include "base/StdioFile.h"

#include <random>
#include <vector>

#include "tests/support/ScratchDirectory.h"

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

// How lines end is tested on runs in memory below; these are the rules of the file itself.
TEST_F(StdioFileTest, ReadsLinesUpToAByte0x1AWithNulsAndALastCr) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"a\r\nb", {"a", "b"}},
        {"end\r", {"end\r"}},
        {"a\nb\x1A"
         "c\nd\n",
         {"a", "b"}},
        {"\x1A"
         "a\n",
         {}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
    };
    for (const auto& [bytes, lines] : cases) {
        WriteFile("in.txt", bytes);
        EXPECT_EQ(ReadLines("in.txt"), lines) << testing::PrintToString(bytes);
    }
}

// The file is read in chunks of 1 MiB. The first CR is the last byte of the first chunk and its
// LF the first of the next. Later chunk edges fall inside short lines, inside lines longer than
// the room kept in front of a chunk, and inside a line of several chunks; the last line ends at
// a byte 0x1A deep in a chunk.
TEST_F(StdioFileTest, LinesAcrossChunkEdgesReadWhole) {
    constexpr size_t kChunk = 1 << 20;
    std::vector<std::string> lines;
    std::string bytes;
    std::mt19937 random(1);
    const auto addLine = [&](size_t length) {
        std::string& line = lines.emplace_back(length, 'a');
        for (size_t i = 0; i < length; ++i) {
            line[i] = static_cast<char>('a' + (i + lines.size()) % 26);
        }
        bytes += line + (random() % 2 == 0 ? "\r\n" : "\n");
    };
    // Short lines up to where a line of the given length would cross the next chunk edge.
    const auto addLineAcrossNextEdge = [&](size_t length) {
        while ((bytes.size() / kChunk + 1) * kChunk - bytes.size() > length / 2) {
            addLine(random() % 20);
        }
        addLine(length);
    };
    bytes = std::string(kChunk - 1, 'x') + "\r\n";
    lines.push_back(bytes.substr(0, kChunk - 1));
    for (const size_t length : {100u, 10'000u, 3'000'000u, 150u, 50'000u}) {
        addLineAcrossNextEdge(length);
    }
    lines.emplace_back("end");
    WriteFile("in.txt", bytes + "end\x1Aignored\n");
    EXPECT_TRUE(ReadLines("in.txt") == lines);
}

// Line feeds are found 64 bytes at a time; the lines and line ends cut are those of a reading
// byte by byte (a line ends at LF, a CR directly before it goes with it), wherever they fall.
TEST_F(StdioFileTest, ForEachLineCutsAsAByteByByteReading) {
    std::mt19937 random(2);
    for (int round = 0; round < 2000; ++round) {
        std::string run(random() % 300, 'a');
        for (char& byte : run) {
            byte = "a\r\n\""[random() % 4];
        }
        std::vector<std::pair<std::string_view, std::string_view>> expected, cut;
        for (size_t start = 0, end; start < run.size(); start = end) {
            const size_t lineFeed = run.find('\n', start);
            end = lineFeed == std::string::npos ? run.size() : lineFeed + 1;
            const bool crlf =
                lineFeed != std::string::npos && lineFeed > start && run[lineFeed - 1] == '\r';
            const size_t textEnd = lineFeed == std::string::npos ? end : lineFeed - (crlf ? 1 : 0);
            expected.emplace_back(std::string_view(run).substr(start, textEnd - start),
                                  std::string_view(run).substr(textEnd, end - textEnd));
        }
        ForEachLine(run, [&](const TextLine& line) { cut.emplace_back(line.text, line.end); });
        ASSERT_EQ(cut, expected) << testing::PrintToString(run);
    }
}

}  // namespace

#include "base/TextReader.h"
#include "base/TextWriter.h"

#include <random>
#include <vector>

#include "tests/support/ScratchDirectory.h"

namespace {

using TextFileTest = ScratchDirectoryTest;

// The file is read in chunks of 1 MiB. The first CR is the last byte of the first chunk and its
// LF the first of the next. Later chunk edges fall inside short lines, inside lines longer than
// the room kept in front of a chunk, and inside a line of several chunks; the last line ends at
// a byte 0x1A deep in a chunk.
TEST_F(TextFileTest, LinesAcrossChunkEdgesReadWhole) {
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
    bytes = std::string(kChunk - 1, 'x') + "\r\n";
    lines.push_back(bytes.substr(0, kChunk - 1));
    for (const size_t length : {100u, 10'000u, 3'000'000u, 150u, 50'000u}) {
        // Short lines up to where a line of this length crosses the next chunk edge.
        while ((bytes.size() / kChunk + 1) * kChunk - bytes.size() > length / 2) {
            addLine(random() % 20);
        }
        addLine(length);
    }
    lines.emplace_back("end");
    WriteFile("in.txt", bytes + "end\x1Aignored\n");
    CTextReader file("in.txt");
    std::string line;
    for (const std::string& expected : lines) {
        ASSERT_TRUE(file.ReadString(line)) << "line " << &expected - lines.data();
        EXPECT_EQ(Difference(line, expected), "") << "line " << &expected - lines.data();
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_EQ(line, "");
}

// The old file stays until Close puts the new one, with the old one's mode, in its place; a writer
// that is not closed leaves nothing behind, and a write after Close fails.
TEST_F(TextFileTest, WritesEveryLineFeedAsCrLfAndReplacesTheFileAtClose) {
    WriteFile("out.txt", "old");
    // A mode no umask gives a new file.
    std::filesystem::permissions("out.txt", std::filesystem::perms{0604});
    const auto mode = std::filesystem::status("out.txt").permissions();
    {
        CTextWriter abandoned("out.txt");
        abandoned.WriteString("x");
    }
    CTextWriter file("out.txt");
    file.WriteString("a\nb");
    file.WriteString("\r\n");
    file.WriteString(std::string(100000, 'y') + "\n");
    EXPECT_EQ(ReadFile("out.txt"), "old");
    file.Close();
    EXPECT_EQ(ReadFile("out.txt"), "a\r\nb\r\r\n" + std::string(100000, 'y') + "\r\n");
    EXPECT_EQ(std::filesystem::status("out.txt").permissions(), mode);
    EXPECT_THROW(file.WriteLine("late"), CFileException);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

}  // namespace

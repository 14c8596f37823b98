#include <gtest/gtest.h>

#include <random>

#include "engine/Vosk1Doc.h"
#include "tests/common/RecordingErrorSink.h"
#include "tests/common/ScratchDirectory.h"
#include "tests/common/TableBuilder.h"

namespace {

class ReplacementPassTest : public ScratchDirectoryTest {
protected:
    // Runs the pass over the input and returns what it wrote.
    std::string Run(const std::string& input, const ReplacementTable& table) {
        WriteFile("temp.txt", input);
        m_doc.OnNewDocument("");
        m_doc.RunReplacementPass(table, m_errors);
        return ReadFile("jwc_temp.txt");
    }
    CVosk1Doc m_doc;
    RecordingErrorSink m_errors;
};

TEST_F(ReplacementPassTest, WorkedExample) {
    const ReplacementTable table = MakeTable({{"A", "B"}, {"C", ""}, {"D", "E//F"}});
    const std::string input =
        "hq\n"
        "hcw 2 2 2 2 2 2 2 2 2 2\n"
        "hch 3 3 3 3 3 3 3 3 3 3\n"
        "hs 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10\n"
        "lg0\n"
        "cn1\n"
        "ch 0 0 1 0 \"A\n"
        "ch 0 0 1 0 \"C\n"
        "ch 5 50 1 0 \"D\n"
        "ch 0 0 1 0 \"Z\n"
        "xx 1 2\n";
    EXPECT_EQ(Run(input, table),
              "hd\r\n"
              "lg0\r\n"
              "cn1\r\n"
              "ch 0 0 1 0 \"B\r\n"
              "ch 5 50 1 0 \"E\r\n"
              "ch 5 20 1 0 \"F\r\n"
              "ch 0 0 1 0 \"Z\r\n"
              "xx 1 2\r\n");
    EXPECT_TRUE(m_errors.errors.empty());
}

TEST_F(ReplacementPassTest, RowsApplyInOrderUntilASingleLineRow) {
    const std::string header = "hch 1 1 1 1 1 1 1 1 1 1\nhs 1\ncn1\n";
    const struct {
        ReplacementTable table;
        std::string record;
        std::string output;
    } cases[] = {
        {MakeTable({{"", ""}, {"A", "X"}, {"", ""}, {"", ""}, {"A", "Y"}}), "ch 1 2 1 0 \"A",
         "ch 1 2 1 0 \"X\r\n"},
        {MakeTable({{"x", ""}, {"A", "P//Q"}, {"", ""}, {"", ""}, {"A", "X"}}), "ch 1 2 1 0 \"A",
         "ch 1 2 1 0 \"P\r\nch 1 1 1 0 \"Q\r\nch 1 2 1 0 \"X\r\n"},
        {MakeTable({{"A", "X"}, {"A", "P//Q"}}), "ch 1 2 1 0 \"A", "ch 1 2 1 0 \"X\r\n"},
        {MakeTable({{"A", "P//Q"}, {"A", "R//S"}}), "ch 1 2 1 0 \"A",
         "ch 1 2 1 0 \"P\r\nch 1 1 1 0 \"Q\r\nch 1 2 1 0 \"R\r\nch 1 1 1 0 \"S\r\n"},
        {MakeTable({{"A", "P//Q"}, {"A", ""}}), "ch 1 2 1 0 \"A",
         "ch 1 2 1 0 \"P\r\nch 1 1 1 0 \"Q\r\n"},
        {MakeTable({{"A", "B"}}), "ch 1 2 1 0 \"AB", "ch 1 2 1 0 \"AB\r\n"},
        {MakeTable({{"a", "B"}}), "ch 1 2 1 0 \"A", "ch 1 2 1 0 \"A\r\n"},
        {MakeTable({{"A", "B"}}), "ch 1 2 1 0 \"A\"tail", "ch 1 2 1 0 \"B\r\n"},
        {MakeTable({{"A", ""}}), "cv 1 2 1 0 \"A\"tail", ""},
        {MakeTable({{"B", "A"}}), "ch 1 2 1 0 \"A\"tail", "ch 1 2 1 0 \"A\"tail\r\n"},
        {MakeTable({}), "ch 1 2 1 0", ""},
        {MakeTable({}), "ch 5 6 1 0 \"", ""},
        {MakeTable(std::vector(10, std::pair<std::string, std::string>("x", "y"))), "c2 5 6 1 0 \"",
         "c2 5 6 1 0 \"\r\n"},
        {MakeTable({{"\x95\x5C", "\x81\x40"}}), "cz 1 2 1 0 \"\x95\x5C",
         "cz 1 2 1 0 \"\x81\x40\r\n"},
        {MakeTable({{"\x82\x60", "X"}}), "ch 1 2 1 0 \"A", "ch 1 2 1 0 \"A\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(header + c.record + "\nnext\n", c.table), "cn1\r\n" + c.output + "next\r\n")
            << c.record;
    }
}

TEST_F(ReplacementPassTest, HeaderLinesAreConsumedAndOthersCopiedByteForByte) {
    const std::string input =
        "hq \nhqx\nhcw\nhc\nhch 1\nhsx\nhs\nlgJww\ncn\"ab\ncn 1 2\n\n"
        "  leading\ttab\r\nlone\rcr\nlong " +
        std::string(100000, 'L') + "\nlast";
    EXPECT_EQ(Run(input, MakeTable({})),
              "hq \r\nhqx\r\nhc\r\nlgJww\r\ncn\"ab\r\ncn 1 2\r\n\r\n  leading\ttab\r\nlone\rcr\r\n"
              "long " +
                  std::string(100000, 'L') + "\r\nlast\r\n");
}

// Lines that pass through unchanged are copied in runs between the lines that change; runs meet
// replaced lines, lines ending in a bare LF and chunk edges of the input (1 MiB) anywhere.
TEST_F(ReplacementPassTest, RunsOfUnchangedLinesMeetChangedOnesAnywhere) {
    std::mt19937 random(3);
    std::string input = "cn1\n", expected = "cn1\r\n";
    while (input.size() < 3'500'000) {
        const std::string x =
            std::to_string(random() % 100000) + "." + std::to_string(input.size());
        switch (random() % 6) {
            case 0:
                input += "ch " + x + " 7 1 0 \"A\r\n";
                expected += "ch " + x + " 7 1 0 \"B\r\n";
                break;
            case 1:
                input += "ch " + x + " 7 1 0 \"C\n";
                break;
            case 2:
                input += "ln " + x + " 7\n";
                expected += "ln " + x + " 7\r\n";
                break;
            default:
                input += "ch " + x + " 7 1 0 \"" + x + "\r\n";
                expected += "ch " + x + " 7 1 0 \"" + x + "\r\n";
                break;
        }
    }
    const std::string longLine = "ch 1 2 1 0 \"" + std::string(2'000'000, 'L');
    input += longLine + "\r\nch 1 2 1 0 \"A";
    expected += longLine + "\r\nch 1 2 1 0 \"B\r\n";
    EXPECT_TRUE(Run(input, MakeTable({{"A", "B"}, {"C", ""}})) == expected);
}

TEST_F(ReplacementPassTest, MissingInputIsReportedAndLeavesAnEmptyOutput) {
    WriteFile("jwc_temp.txt", "old output");
    m_doc.RunReplacementPass(MakeTable({}), m_errors);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "");
    ASSERT_EQ(m_errors.errors.size(), 1u);
    EXPECT_EQ(m_errors.errors[0].m_strFileName, "temp.txt");
    EXPECT_EQ(m_errors.errors[0].m_cause, CFileException::Cause::fileNotFound);
}

}  // namespace

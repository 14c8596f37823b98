#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/Vosk1Doc.h"
#include "tests/support/ScratchDirectory.h"

namespace {

class DrawingTest : public ScratchDirectoryTest {
protected:
    // The output of the pass over input, by a table whose first rows are the given ones.
    std::string Run(const std::string& input, const std::vector<ReplacementRow>& rows,
                    const std::string& runParameter = "", MatchOptions options = {}) {
        ReplacementTable table;
        std::copy(rows.begin(), rows.end(), table.rows.begin());
        table.options = options;
        WriteFile("temp.txt", input);
        m_doc.OnNewDocument(runParameter);
        m_doc.RunReplacementPass(table);
        return ReadFile("jwc_temp.txt");
    }
    CVosk1Doc m_doc;
};
using ReplacementPassTest = DrawingTest;
using MultiLineLayoutTest = DrawingTest;

// Lines that pass through unchanged are copied in runs between the lines that change; runs meet
// replaced lines, lines ending in a bare LF and chunk edges of the input (1 MiB) anywhere.
TEST_F(ReplacementPassTest, RunsOfUnchangedLinesMeetChangedOnesAnywhere) {
    std::mt19937 random(3);
    std::string input = "cn1\n", expected = "cn1\r\n";
    while (input.size() < 3'500'000) {
        const std::string x =
            std::to_string(random() % 100000) + "." + std::to_string(input.size());
        const std::string record = "ch " + x + " 7 1 0 \"";
        // Each kind of line as read and as written.
        const std::pair<std::string, std::string> lines[] = {
            {record + "A\r\n", record + "B\r\n"},
            {record + "C\n", ""},
            {"ln " + x + " 7\n", "ln " + x + " 7\r\n"},
            {record + x + "\r\n", record + x + "\r\n"}};
        const auto& [in, out] = lines[std::min<size_t>(random() % 6, 3)];
        input += in;
        expected += out;
    }
    const std::string longLine = "ch 1 2 1 0 \"" + std::string(2'000'000, 'L');
    input += longLine + "\r\nch 1 2 1 0 \"A";
    expected += longLine + "\r\nch 1 2 1 0 \"B\r\n";
    EXPECT_EQ(Difference(Run(input, {{"A", "B"}, {"C", ""}}), expected), "");
}

// With part matching the rows act in turn, and the text they leave is laid out last. What the
// rows match under each option is checked by the pass fuzzer's model on its seeds.
// A text runs to the end of its line; an unused row matches nothing; part matching lays out the
// text the rows leave; width and case are ignored together. The pass seeds hold more such rows.
TEST_F(ReplacementPassTest, MatchesAsTheOptionsSay) {
    const std::string header = "hs 1\ncn0 2 2.5\nch 0 0 1 0 \"";
    EXPECT_EQ(Run(header + "1\" P", {{"1\" P", "2"}}), "cn0 2 2.5\r\nch 0 0 1 0 \"2\r\n");
    EXPECT_EQ(Run(header + "\nch 0 0", {}), "cn0 2 2.5\r\nch 0 0 1 0 \"\r\nch 0 0\r\n");
    EXPECT_EQ(Run(header + "PSQ", {{"PS", "X//Y"}, {"Q", "R"}}, "", {.part = true}),
              "cn0 2 2.5\r\nch 0 0 1 0 \"X\r\nch 0 -2.5 1 0 \"YR\r\n");
    EXPECT_EQ(Run(header + "\x82\x85V", {{"Ev", "1"}}, "", {true, true, true}),
              "cn0 2 2.5\r\nch 0 0 1 0 \"1\r\n");  // ｅV
}

// Text of width 2 and height 2.5 at scale 1.
TEST_F(MultiLineLayoutTest, StepsAtRightAnglesToTheDirection) {
    struct Case {
        std::string header;  // of the text record
        std::string after;
        std::string records;         // the records written for it
        std::string parameter = "";  // the run parameter
    };
    const Case cases[] = {
        {"ch 100 200 1 0 ", "A//B//C",
         "ch 100 200 1 0 \"A\r\nch 100 197.5 1 0 \"B\r\nch 100 195 1 0 \"C\r\n"},
        {"cv 10 10 0 -1 ", "a//b", "cv 10 10 0 -1 \"a\r\ncv 8 10 0 -1 \"b\r\n"},
        {"ch 0 0 3 4 ", "a//b", "ch 0 0 3 4 \"a\r\nch 2 -1.5 3 4 \"b\r\n"},
        {"ch 1.000 0.00001 1.0 0 ", "a//b", "ch 1 1e-005 1.0 0 \"a\r\nch 1 -2.49999 1.0 0 \"b\r\n"},
        {"ch 0 0 1 0 ", "//a////",
         "ch 0 0 1 0 \"\r\nch 0 -2.5 1 0 \"a\r\nch 0 -5 1 0 \"\r\nch 0 -7.5 1 0 \"\r\n"},
        {"ch 0 0 1 0 ", "a//b", "ch 0 0 1 0 \"a\r\nch 0 1.25 1 0 \"b\r\n", "/P-0.5"},
        {"ch 7 8 1 1 ", "a//b", "ch 7 8 1 1 \"a\r\nch 7 8 1 1 \"b\r\n", "xxx"},
        // Without a direction the lines go down as for horizontal text.
        {"ch 7 8 ", "a//b", "ch 7 8   \"a\r\nch 7 5.5   \"b\r\n"},
        {"c2 1 2 1 0 extra fields ", "a//b", "c2 1 2 1 0 \"a\r\nc2 1 -0.5 1 0 \"b\r\n"},
    };
    for (const auto& [header, after, records, parameter] : cases) {
        EXPECT_EQ(Run("hs 1\ncn0 2 2.5\n" + header + "\"T", {{"T", after}}, parameter),
                  "cn0 2 2.5\r\n" + records)
            << header << after;
    }
}

// Each line steps from the one before, as the stored files were made: 60 steps of 0.1 add up to
// -5.999999999999995, which 60 * 0.1 would not give. The lines are far more than a split's 20.
TEST_F(MultiLineLayoutTest, EveryLineStepsFromTheOneBefore) {
    std::string after = "0";
    for (int k = 1; k <= 60; ++k) {
        after += "//" + std::to_string(k);
    }
    const std::string output = Run("hs 1\ncn0 0.1 0\ncv 0 0 0 -1 \"T", {{"T", after}});
    EXPECT_TRUE(output.ends_with("\"59\r\ncv -5.99999999999999 0 0 -1 \"60\r\n")) << output;
}

}  // namespace

#include "engine/MultiLineLayout.h"

#include <gtest/gtest.h>

#include "tests/common/ScratchDirectory.h"

namespace {

// Lays out afterText for the record header with the given pitch sizes, and returns the records.
class MultiLineLayoutTest : public ScratchDirectoryTest {
protected:
    std::string Expand(const std::string& header, const std::string& afterText,
                       const std::string& runParameter = "/P1") {
        m_doc.OnNewDocument(runParameter);
        {
            CStdioFile output("out.txt", CStdioFile::Mode::write);
            ExpandMultiLine(m_doc, m_splitter, header, afterText, m_state, output);
            output.Close();
        }
        return ReadFile("out.txt");
    }
    void SetSizes(int scale, double width, double height) {
        m_state.groupScale[0] = scale;
        m_state.textWidth[1] = width;
        m_state.textHeight[1] = height;
        m_state.currentTextType = 1;
    }
    CVosk1Doc m_doc;
    FieldSplitter m_splitter;
    ExchangeState m_state;
};

TEST_F(MultiLineLayoutTest, WorkedExampleStepsOnePitchPerLine) {
    SetSizes(1, 2, 2.5);
    EXPECT_EQ(Expand("ch 100 200 1 0 ", "A//B//C"),
              "ch 100 200 1 0 \"A\r\nch 100 197.5 1 0 \"B\r\nch 100 195 1 0 \"C\r\n");
}

TEST_F(MultiLineLayoutTest, StepsAtRightAnglesToTheDirection) {
    const struct {
        std::string header;
        double width, height;
        std::string after;
        std::string parameter;
        std::string records;
    } cases[] = {
        {"cv 10 10 0 -1 ", 4, 5, "a//b", "/P1", "cv 10 10 0 -1 \"a\r\ncv 6 10 0 -1 \"b\r\n"},
        {"ch 0 0 3 4 ", 1, 10, "a//b//c", "/P1",
         "ch 0 0 3 4 \"a\r\nch 8 -6 3 4 \"b\r\nch 16 -12 3 4 \"c\r\n"},
        {"ch 100.000 200 1.000 0.000 ", 1, 1, "a//b", "/P1",
         "ch 100 200 1.000 0.000 \"a\r\nch 100 199 1.000 0.000 \"b\r\n"},
        {"ch 0 0.00001 1 0 ", 1, 1, "a", "/P1", "ch 0 1e-005 1 0 \"a\r\n"},
        {"ch 0 0 1 0 ", 1, 1, "a//", "/P1", "ch 0 0 1 0 \"a\r\nch 0 -1 1 0 \"\r\n"},
        {"ch 0 0 1 0 ", 1, 1, "//", "/P1", "ch 0 0 1 0 \"\r\nch 0 -1 1 0 \"\r\n"},
        {"ch 0 0 1 0 ", 1, 1, "a////b", "/P1",
         "ch 0 0 1 0 \"a\r\nch 0 -1 1 0 \"\r\nch 0 -2 1 0 \"b\r\n"},
        {"ch 0 0 1 0 ", 1, 1, "a//b", "/P2", "ch 0 0 1 0 \"a\r\nch 0 -2 1 0 \"b\r\n"},
        {"ch 0 0 1 0 ", 1, 1, "a//b", "/P-0.5", "ch 0 0 1 0 \"a\r\nch 0 0.5 1 0 \"b\r\n"},
        {"ch 7 8 1 1 ", 1, 1, "a//b", "/P0", "ch 7 8 1 1 \"a\r\nch 7 8 1 1 \"b\r\n"},
        {"ch 7 8 1 1 ", 1, 1, "a//b", "/P", "ch 7 8 1 1 \"a\r\nch 7 8 1 1 \"b\r\n"},
        {"ch 7 8 1 1 ", 1, 1, "a//b", "xxx", "ch 7 8 1 1 \"a\r\nch 7 8 1 1 \"b\r\n"},
        // Without a direction the lines go down as for horizontal text.
        {"ch 7 8 0 0 ", 1, 1, "a//b", "/P1", "ch 7 8 0 0 \"a\r\nch 7 7 0 0 \"b\r\n"},
        {"ch 7 8 ", 1, 1, "a//b", "/P1", "ch 7 8   \"a\r\nch 7 7   \"b\r\n"},
        {"c2 1 2 1 0 extra fields ", 1, 1, "a", "/P1", "c2 1 2 1 0 \"a\r\n"},
    };
    for (const auto& c : cases) {
        SetSizes(1, c.width, c.height);
        EXPECT_EQ(Expand(c.header, c.after, c.parameter), c.records) << c.header << c.after;
    }
}

TEST_F(MultiLineLayoutTest, EveryLineIsLaidOutHoweverMany) {
    SetSizes(2, 1, 1.5);
    std::string after = "0";
    std::string expected = "ch 0 0 1 0 \"0\r\n";
    for (int k = 1; k < 25; ++k) {
        after += "//" + std::to_string(k);
        expected += "ch 0 " + FieldSplitter::FormatNumber(-3.0 * k) + " 1 0 \"" +
                    std::to_string(k) + "\r\n";
    }
    EXPECT_EQ(Expand("ch 0 0 1 0 ", after), expected);
}

TEST_F(MultiLineLayoutTest, PositionsAdvanceLineByLineSoRoundingCarriesOn) {
    SetSizes(1, 1, 0.1);
    // 0.1 added three times is 0.30000000000000004, not 0.1 * 3.
    EXPECT_EQ(Expand("ch 0 0 0 -1 ", "a//b//c//d"),
              "ch 0 0 0 -1 \"a\r\nch -0.1 0 0 -1 \"b\r\nch -0.2 0 0 -1 \"c\r\n"
              "ch -0.3 0 0 -1 \"d\r\n");
    EXPECT_EQ(m_doc.m_dValue[1], -0.1 - 0.1 - 0.1);
}

TEST(Vosk1DocTest, RunParameterIsTheFirstArgumentOrP1) {
    CVosk1Doc doc;
    EXPECT_TRUE(doc.OnNewDocument(""));
    EXPECT_EQ(doc.m_strParam, "/P1");
    doc.OnNewDocument("/P3");
    EXPECT_EQ(doc.m_strParam, "/P3");
    doc.OnNewDocument("anything");
    EXPECT_EQ(doc.m_strParam, "anything");
}

}  // namespace

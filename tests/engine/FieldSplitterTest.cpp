#include "engine/FieldSplitter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

std::vector<std::string> Fields(const FieldSplitter& splitter) {
    return {std::begin(splitter.m_strItem), std::end(splitter.m_strItem)};
}

std::vector<std::string> Padded(std::vector<std::string> fields) {
    fields.resize(FieldSplitter::kFieldCount);
    return fields;
}

TEST(FieldSplitterTest, SplitCountsDelimitersAndFillsFields) {
    const struct {
        std::string text;
        std::string delimiter;
        int result;
        std::vector<std::string> fields;
    } cases[] = {
        {"", " ", 0, {}},
        {"abc", " ", 0, {"abc"}},
        {"a b c", " ", 2, {"a", "b", "c"}},
        {"a b ", " ", 2, {"a", "b", ""}},
        {" a", " ", 1, {"", "a"}},
        {"a  b", " ", 2, {"a", "", "b"}},
        {"before ---> after", " ---> ", 1, {"before", "after"}},
        {"a ---> b ---> c", " ---> ", 2, {"a", "b", "c"}},
        {"ch 1 2 \"text\"rest", "\"", 2, {"ch 1 2 ", "text", "rest"}},
        {"anything", "", 20, {}},
        {"\x95\x5C\x20\x81\x40", " ", 1, {"\x95\x5C", "\x81\x40"}},
    };
    FieldSplitter splitter;
    for (const auto& c : cases) {
        EXPECT_EQ(splitter.Split(c.text, c.delimiter), c.result) << c.text;
        EXPECT_EQ(Fields(splitter), Padded(c.fields)) << c.text;
    }
}

TEST(FieldSplitterTest, SplitKeepsTwentyPiecesAndForgetsEarlierSplits) {
    FieldSplitter splitter;
    std::string text;
    std::vector<std::string> pieces;
    for (int i = 0; i < 26; ++i) {
        pieces.push_back(std::to_string(i));
        text += (i ? " " : "") + pieces.back();
    }
    EXPECT_EQ(splitter.Split(text, " "), 20);
    EXPECT_EQ(Fields(splitter), std::vector<std::string>(pieces.begin(), pieces.begin() + 20));

    EXPECT_EQ(splitter.Split("x y", " "), 1);
    EXPECT_EQ(Fields(splitter), Padded({"x", "y"}));

    const std::string longField(5000, 'q');
    EXPECT_EQ(splitter.Split(longField + " " + longField, " "), 1);
    EXPECT_EQ(splitter.m_strItem[1], longField);
}

TEST(FieldSplitterTest, ParseDoubleReadsTheDecimalPrefixLikeAtof) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"2.5", 2.5},
        {"  \t\n\v\f\r-3", -3},
        {"+.5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"12abc", 12},
        {"1e3", 1000},
        {"1E-2x", 0.01},
        {"2e", 2},
        {"2e+x", 2},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"\x82\x50", 0},  // a full-width digit is no digit
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e-400", 0},
        {"4.9406564584124654e-324", 4.9406564584124654e-324},
        {"0.1000000000000000055511151231257827021181583404541015625000001", 0.1},
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740993.0000000000000000000001", 9007199254740994.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldSplitter::ParseDouble(c.text), c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(FieldSplitter::ParseDouble("-0")));
}

TEST(FieldSplitterTest, ParseIntReadsDigitsThenTheGroupLetters) {
    const struct {
        std::string text;
        int value;
    } cases[] = {
        {"a", 10},
        {"f", 15},
        {"A", 0},
        {"ab", 0},
        {"0", 0},
        {"", 0},
        {"  12", 12},
        {"12.7", 12},
        {"-7x", -7},
        {"0x1A", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldSplitter::ParseInt(c.text), c.value) << c.text;
    }
}

TEST(FieldSplitterTest, FormatNumberWritesFifteenDigitsAndThreeExponentDigits) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {2.0, "2"},
        {0.5, "0.5"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.00001, "1e-005"},
        {0.0001, "0.0001"},
        {1.5e20, "1.5e+020"},
        {1e15, "1e+015"},
        {123456789012345.0, "123456789012345"},
        {1e100, "1e+100"},
        {-2.5e-300, "-2.5e-300"},
        {0.1 + 0.2, "0.3"},
        {0.0, "0"},
        {-0.0, "-0"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldSplitter::FormatNumber(c.value), c.text) << c.text;
    }
}

TEST(FieldSplitterTest, NormalizeGroupCodeMapsLettersAndJww) {
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("a"), "10");
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("f"), "15");
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("Jww"), "99999");
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("JWW"), "JWW");
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("9"), "9");
    EXPECT_EQ(FieldSplitter::NormalizeGroupCode("b "), "b ");
}

}  // namespace

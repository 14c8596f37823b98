#include "engine/ExchangeState.h"

#include <gtest/gtest.h>

#include "engine/FieldSplitter.h"

namespace {

TEST(ExchangeStateTest, ClassifiesLinesByTheirFirstBytes) {
    const struct {
        std::string line;
        RecordKind kind;
    } cases[] = {
        {"hq", RecordKind::hq},           {"hq ", RecordKind::other},
        {"hqx", RecordKind::other},       {"hcw 1", RecordKind::textWidths},
        {"hch", RecordKind::textHeights}, {"hc", RecordKind::other},
        {"hs", RecordKind::groupScales},  {"hsx", RecordKind::groupScales},
        {"lg0", RecordKind::layerGroup},  {"cn", RecordKind::textType},
        {"cn1", RecordKind::textType},    {"cn\"x", RecordKind::other},
        {"ch 0", RecordKind::text},       {"cv", RecordKind::text},
        {"cz\"", RecordKind::text},       {"c2 1", RecordKind::text},
        {"CH 0", RecordKind::other},      {"c ", RecordKind::other},
        {"c", RecordKind::other},         {"", RecordKind::other},
        {"hd", RecordKind::other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyRecord(c.line), c.kind) << c.line;
    }
}

class HeaderRecordTest : public ::testing::Test {
protected:
    void Apply(const std::string& line) {
        ApplyHeaderRecord(m_state, ClassifyRecord(line), line, m_splitter);
    }
    ExchangeState m_state;
    FieldSplitter m_splitter;
};

TEST_F(HeaderRecordTest, SizeAndScaleRecordsReplaceTheirWholeTable) {
    Apply("hcw 9 9 9 9 9 9 9 9 9 9");
    Apply("hcw 1 2 3");
    EXPECT_EQ(m_state.textWidth[3], 3);
    EXPECT_EQ(m_state.textWidth[4], 0);
    EXPECT_EQ(m_state.textWidth[10], 0);
    Apply("hch 1 2 3 4 5 6 7 8 9 10 11");
    EXPECT_EQ(m_state.textHeight[10], 10);
    Apply("hs 1 2.5 0.5 x");
    EXPECT_EQ(m_state.groupScale[0], 1);
    EXPECT_EQ(m_state.groupScale[1], 2);
    EXPECT_EQ(m_state.groupScale[2], 0);
    EXPECT_EQ(m_state.groupScale[16], 0);
}

TEST_F(HeaderRecordTest, GroupAndTypeRecordsSelectTheCurrentEntries) {
    Apply("lgb");
    EXPECT_EQ(m_state.currentGroup, 11);
    Apply("lgJww");
    EXPECT_EQ(m_state.currentGroup, 99999);
    EXPECT_EQ(m_state.CurrentScale(), 1);
    Apply("cn10");
    EXPECT_EQ(m_state.currentTextType, 10);
    Apply("cna");
    EXPECT_EQ(m_state.currentTextType, 10);
    Apply("cnb");
    EXPECT_EQ(m_state.CurrentTextHeight(), 0);
    Apply("cna 1 2");
    EXPECT_EQ(m_state.currentTextType, 0);
    EXPECT_EQ(m_state.CurrentTextWidth(), 1);
    EXPECT_EQ(m_state.CurrentTextHeight(), 2);
    Apply("cn");
    EXPECT_EQ(m_state.CurrentTextWidth(), 0);
    EXPECT_EQ(m_state.CurrentTextHeight(), 0);
    Apply("cn-3");
    EXPECT_EQ(m_state.CurrentTextHeight(), 0);
}

}  // namespace

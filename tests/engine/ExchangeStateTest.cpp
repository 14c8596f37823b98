#include "engine/ExchangeState.h"

#include <gtest/gtest.h>

#include "engine/FieldSplitter.h"

namespace {

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

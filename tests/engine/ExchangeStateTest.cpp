#include "engine/ExchangeState.h"

#include <gtest/gtest.h>

#include <tuple>

#include "engine/FieldSplitter.h"

namespace {

// Each record applies on top of those above it; the columns give the current group, text type,
// scale, width and height after it.
TEST(ExchangeStateTest, HeaderRecordsSetTheTablesAndSelectTheCurrentEntries) {
    const std::tuple<std::string, int, int, int, double, double> steps[] = {
        {"hcw 9 9 9 9 9 9 9 9 9 9", 0, 0, 0, 0, 0},
        {"hcw 1 2 3", 0, 0, 0, 0, 0},
        {"hch 1 2 3 4 5 6 7 8 9 10 11", 0, 0, 0, 0, 0},
        {"hs 1 2.5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 7 8", 0, 0, 1, 0, 0},
        {"lg1", 1, 0, 2, 0, 0},
        {"cn3", 1, 3, 2, 3, 3},
        {"cn4", 1, 4, 2, 0, 4},
        {"cna", 1, 10, 2, 0, 10},
        {"cnf", 1, 15, 2, 0, 0},
        {"cn-3", 1, -3, 2, 0, 0},
        {"cna 1 2", 1, 0, 2, 1, 2},
        {"cn", 1, 0, 2, 0, 0},
        {"lg16", 16, 0, 7, 0, 0},
        {"lgJww", 99999, 0, 1, 0, 0},
        {"lgJWW", 0, 0, 1, 0, 0},
    };
    ExchangeState state;
    FieldSplitter splitter;
    for (const auto& [line, group, type, scale, width, height] : steps) {
        ApplyHeaderRecord(state, ClassifyRecord(line), line, splitter);
        EXPECT_EQ(state.currentGroup, group) << line;
        EXPECT_EQ(state.currentTextType, type) << line;
        EXPECT_EQ(state.CurrentScale(), scale) << line;
        EXPECT_EQ(state.CurrentTextWidth(), width) << line;
        EXPECT_EQ(state.CurrentTextHeight(), height) << line;
    }
}

}  // namespace

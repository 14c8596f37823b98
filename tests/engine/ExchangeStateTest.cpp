#include "engine/ExchangeState.h"

#include <gtest/gtest.h>

#include "engine/FieldSplitter.h"

namespace {

// Each record applies on top of those above it; the fields give the current group, text type,
// scale, width and height after it.
TEST(ExchangeStateTest, HeaderRecordsSetTheTablesAndSelectTheCurrentEntries) {
    struct Step {
        std::string line;
        int group = 0, type = 0, scale = 0;
        double width = 0, height = 0;
    };
    const Step steps[] = {
        {.line = "hcw 9 9 9 9 9 9 9 9 9 9"},
        {.line = "hcw 1 2 3"},
        {.line = "hch 1 2 3 4 5 6 7 8 9 10 11"},
        {.line = "hs 1 2.5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 7 8", .scale = 1},
        {.line = "lg1", .group = 1, .scale = 2},
        {.line = "cn3", .group = 1, .type = 3, .scale = 2, .width = 3, .height = 3},
        {.line = "cn4", .group = 1, .type = 4, .scale = 2, .height = 4},
        {.line = "cna", .group = 1, .type = 10, .scale = 2, .height = 10},
        {.line = "cnf", .group = 1, .type = 15, .scale = 2},
        {.line = "cn-3", .group = 1, .type = -3, .scale = 2},
        {.line = "cna 1 2", .group = 1, .scale = 2, .width = 1, .height = 2},
        {.line = "cn", .group = 1, .scale = 2},
        {.line = "lg16", .group = 16, .scale = 7},
        {.line = "lgJww", .group = 99999, .scale = 1},
        {.line = "lgJWW", .scale = 1},
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

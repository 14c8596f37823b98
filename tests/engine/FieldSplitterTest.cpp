#include "engine/FieldSplitter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

// The number fuzzer checks these against the C library on random input, natively; these cases pin
// edges that random input seldom reaches and what must not vary by platform.

TEST(FieldSplitterTest, NumbersReadLikeAtofAndAtolOnEveryPlatform) {
    struct Case {
        std::string text;
        double real = 0;  // ParseDouble
        int integer = 0;  // ParseInt
    };
    const Case cases[] = {
        {.text = "0x1A"},
        {.text = "inf"},
        {.text = "nan"},
        {.text = " \t\n\v\f\r2e+x", .real = 2, .integer = 2},
        {.text = "1e400", .real = HUGE_VAL, .integer = 1},
        {.text = "-1e400", .real = -HUGE_VAL, .integer = -1},
        {.text = "1e-400", .integer = 1},
        {.text = "2147483648", .real = 2147483648.0, .integer = INT_MAX},
        {.text = "-2147483648", .real = -2147483648.0, .integer = INT_MIN},
        {.text = "-99999999999999999999", .real = -1e20, .integer = INT_MIN},
        {.text = "4.9406564584124654e-324", .real = 4.9406564584124654e-324, .integer = 4},
        {.text = "0.1000000000000000055511151231257827021181583404541015625000001", .real = 0.1},
        {.text = "9007199254740993", .real = 9007199254740992.0, .integer = INT_MAX},
        {.text = "9007199254740993.0000000000000000000001",
         .real = 9007199254740994.0,
         .integer = INT_MAX},
    };
    for (const auto& [text, real, integer] : cases) {
        EXPECT_EQ(FieldSplitter::ParseDouble(text), real) << text;
        EXPECT_EQ(FieldSplitter::ParseInt(text), integer) << text;
    }
    EXPECT_TRUE(std::signbit(FieldSplitter::ParseDouble("-0")));
}

}  // namespace

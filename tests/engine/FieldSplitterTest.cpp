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
        {"0x1A"},
        {"inf"},
        {"nan"},
        {" \t\n\v\f\r2e+x", 2, 2},
        {"1e400", HUGE_VAL, 1},
        {"-1e400", -HUGE_VAL, -1},
        {"1e-400", 0, 1},
        {"2147483648", 2147483648.0, INT_MAX},
        {"-2147483648", -2147483648.0, INT_MIN},
        {"-99999999999999999999", -1e20, INT_MIN},
        {"4.9406564584124654e-324", 4.9406564584124654e-324, 4},
        {"0.1000000000000000055511151231257827021181583404541015625000001", 0.1},
        {"9007199254740993", 9007199254740992.0, INT_MAX},
        {"9007199254740993.0000000000000000000001", 9007199254740994.0, INT_MAX},
    };
    for (const auto& [text, real, integer] : cases) {
        EXPECT_EQ(FieldSplitter::ParseDouble(text), real) << text;
        EXPECT_EQ(FieldSplitter::ParseInt(text), integer) << text;
    }
    EXPECT_TRUE(std::signbit(FieldSplitter::ParseDouble("-0")));
}

}  // namespace

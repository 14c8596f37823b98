#include "tests/faults/FaultTest.h"

namespace {

using ScaleTest = FaultTest;

// Large strings are compared with EXPECT_TRUE so that a failure does not print megabytes.
TEST_F(ScaleTest, LongLinesAndTextsPassWhole) {
    const std::string line(10'000'000, 'L');
    std::string text;
    for (int i = 0; i < 500'000; ++i) {
        text += "\x95\x5C";
    }
    const std::string after(1'000'000, 'a');
    const std::string header = "ch 1 2 1 0 \"";
    WriteFile("t.mse", text + " ---> " + after + "\r\n");
    WriteFile("temp.txt", "ln " + line + "\n" + header + text + "\n" + header + line + "\n");

    const BatchRun result = RunBatch({"--table", "t.mse"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(ReadFile("jwc_temp.txt") ==
                "ln " + line + "\r\n" + header + after + "\r\n" + header + line + "\r\n");

    const BatchRun list = RunBatch({"--list"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(list.out == text + "\n" + line + "\n");
}

TEST_F(ScaleTest, AnAfterTextOfTenThousandLinesLaysOutEveryLine) {
    std::string after = "L0";
    std::string expected = "cn1\r\nch 5 0 1 0 \"L0\r\n";
    for (int k = 1; k < 10'000; ++k) {
        const std::string number = std::to_string(k);
        after += "//L" + number;
        expected += "ch 5 -" + number + " 1 0 \"L" + number + "\r\n";
    }
    WriteFile("t.mse", "T ---> " + after + "\r\n");
    WriteFile("temp.txt", "hch 1 1 1 1 1 1 1 1 1 1\nhs 1\ncn1\nch 5 0 1 0 \"T\n");

    const BatchRun result = RunBatch({"--table", "t.mse"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(ReadFile("jwc_temp.txt") == expected);
}

}  // namespace

#include "tests/common/BatchRun.h"
#include "tests/common/ScratchDirectory.h"

namespace {

using BatchCommandTest = ScratchDirectoryTest;

constexpr char kDrawing[] = "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\nch 0 0 1 0 \"A\n";

TEST_F(BatchCommandTest, ReplacesWithTheTableNamedInVoskIniOrGiven) {
    WriteFile("temp.txt", kDrawing);
    WriteFile("one.mse", "A ---> B\r\n");
    WriteFile("two.mse", "A ---> X//Y\n");
    WriteFile("Vosk.ini", "one.mse\r\nignored");

    EXPECT_EQ(RunBatch({}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"B\r\n");

    EXPECT_EQ(RunBatch({"/P3", "--table", "two.mse"}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"X\r\nch 0 -6 1 0 \"Y\r\n");

    EXPECT_EQ(RunBatch({"--table", "two.mse", ""}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"X\r\nch 0 -2 1 0 \"Y\r\n");
}

TEST_F(BatchCommandTest, DirectoryOptionComesFirstWhateverItsPlace) {
    std::filesystem::create_directories("job/tables");
    WriteFile("job/temp.txt", kDrawing);
    WriteFile("job/tables/t.mse", "A ---> C\r\n");
    WriteFile("job/Vosk.ini", "tables/t.mse");
    EXPECT_EQ(RunBatch({"/P1", "-C", "job"}).status, 0);
    EXPECT_EQ(ReadFile(Directory() / "job" / "jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"C\r\n");
}

TEST_F(BatchCommandTest, ListPrintsEveryTextAsRawBytes) {
    WriteFile("temp.txt", "ch 0 0 1 0 \"\x95\x5C\r\nxx\ncv 1 1 0 1 \"a\r\r\nch 0 0 1 0 \"\n");
    const BatchRun result = RunBatch({"--list"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "\x95\x5C\na\r\n\n");
}

TEST_F(BatchCommandTest, BadUsageIsRejectedWithHelp) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--table"}, {"-C"}, {"--bogus"}, {"/P1", "/P2"}, {"--list", "/P1"}}) {
        const BatchRun result = RunBatch(arguments);
        EXPECT_EQ(result.status, 2) << arguments[0];
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    const BatchRun help = RunBatch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--table FILE"), std::string::npos);
}

}  // namespace

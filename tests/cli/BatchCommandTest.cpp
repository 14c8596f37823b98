#include "cli/BatchCommand.h"

#include "tests/common/ScratchDirectory.h"

namespace {

class BatchCommandTest : public ScratchDirectoryTest {
protected:
    struct Result {
        int status;
        std::string out;
        std::string err;
    };

    Result Run(const std::vector<std::string>& arguments) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = RunBatchCommand(arguments, out, err);
        Result result{status, Contents(out), Contents(err)};
        std::fclose(out);
        std::fclose(err);
        return result;
    }

    static std::string Contents(std::FILE* file) {
        std::string text(static_cast<size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        return text;
    }

    static constexpr char kDrawing[] = "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\nch 0 0 1 0 \"A\n";
};

TEST_F(BatchCommandTest, ReplacesWithTheTableNamedInVoskIniOrGiven) {
    WriteFile("temp.txt", kDrawing);
    WriteFile("one.mse", "A ---> B\r\n");
    WriteFile("two.mse", "A ---> X//Y\n");
    WriteFile("Vosk.ini", "one.mse\r\nignored");

    EXPECT_EQ(Run({}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"B\r\n");

    EXPECT_EQ(Run({"/P3", "--table", "two.mse"}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"X\r\nch 0 -6 1 0 \"Y\r\n");

    EXPECT_EQ(Run({"--table", "two.mse", ""}).status, 0);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"X\r\nch 0 -2 1 0 \"Y\r\n");
}

TEST_F(BatchCommandTest, DirectoryOptionComesFirstWhateverItsPlace) {
    std::filesystem::create_directories("job/tables");
    WriteFile("job/temp.txt", kDrawing);
    WriteFile("job/tables/t.mse", "A ---> C\r\n");
    WriteFile("job/Vosk.ini", "tables/t.mse");
    EXPECT_EQ(Run({"/P1", "-C", "job"}).status, 0);
    EXPECT_EQ(ReadFile(Directory() / "job" / "jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"C\r\n");
}

TEST_F(BatchCommandTest, AnUnreadableTableLeavesTheOutputUntouched) {
    WriteFile("temp.txt", kDrawing);
    WriteFile("jwc_temp.txt", "previous result");
    std::filesystem::create_directory("dir.mse");
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"--table", "missing.mse"}, {"--table", "dir.mse"}}) {
        const Result result = Run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err, "");
    }
    WriteFile("Vosk.ini", "");
    EXPECT_EQ(Run({}).status, 2);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "previous result");
}

TEST_F(BatchCommandTest, AMissingDrawingFails) {
    WriteFile("t.mse", "");
    const Result result = Run({"--table", "t.mse"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("temp.txt"), std::string::npos);
    EXPECT_EQ(Run({"--list"}).status, 1);
}

TEST_F(BatchCommandTest, ListPrintsEveryTextAsRawBytes) {
    WriteFile("temp.txt", "ch 0 0 1 0 \"\x95\x5C\r\nxx\ncv 1 1 0 1 \"a\r\r\nch 0 0 1 0 \"\n");
    const Result result = Run({"--list"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "\x95\x5C\na\r\n\n");
}

TEST_F(BatchCommandTest, BadUsageIsRejectedWithHelp) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--table"}, {"-C"}, {"--bogus"}, {"/P1", "/P2"}, {"--list", "/P1"}}) {
        const Result result = Run(arguments);
        EXPECT_EQ(result.status, 2) << arguments[0];
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    const Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--table FILE"), std::string::npos);
}

}  // namespace

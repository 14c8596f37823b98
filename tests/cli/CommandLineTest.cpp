#include <string>

#include "tests/support/BatchRun.h"

namespace {

using CommandLineTest = BatchRunTest;

TEST_F(CommandLineTest, OptionsAndBadUsage) {
    ASSERT_TRUE(RunBatch({"--help"}).out.starts_with("Usage: vosk1-batch"));
    const std::string usage = Usage();
    const std::string texts = "ch 0 0 1 0 \"\x95\x5C\r\nxx\ncv 1 1 0 1 \"a\r\r\nch 0 0 1 0 \"\n";
    Check({
        {.entries = {{"Vosk.ini", "gone.mse"}},
         .arguments = {"/P3", "--table", "t.mse"},
         .output = Replaced("-6")},
        // Every text in its raw bytes, ended by a line feed.
        {.entries = {{"temp.txt", texts}}, .arguments = {"--list"}, .out = "\x95\x5C\na\r\n\n"},
        {.arguments = {"--table"}, .status = 2, .error = "--table needs a value" + usage},
        {.arguments = {"--bogus"}, .status = 2, .error = "unknown option --bogus" + usage},
        {.arguments = {"/P1", "/P2"}, .status = 2, .error = "more than one run parameter" + usage},
        {.arguments = {"--list", "/P1"},
         .status = 2,
         .error = "--list takes no table, run parameter, match option or --preview" + usage},
        // Nothing is written, and the table is the one given. Row 3 is shadowed by row 2.
        {.entries = {{"p.mse", "A ---> B//C\r\nA ---> D\r\nA ---> E\r\nx ---> \r\ny ---> z"},
                     {"temp.txt", "ch 0 0 1 0 \"A\nch 0 0 1 0 \"x\n"}},
         .arguments = {"--table", "p.mse", "--preview", "/P2"},
         .out = "1\tA\tB//C\t1\tlines 2\n2\tA\tD\t1\treplace\n3\tA\tE\t0\tshadowed\n"
                "4\tx\t\t1\tremove\n5\ty\tz\t0\tnone\n6\t\t\t0\tempty row\n7\t\t\t0\tempty row\n"
                "8\t\t\t0\tempty row\n9\t\t\t0\tempty row\n10\t\t\t0\tempty row\n"
                "total\t0\t1\t1\n"},
        // The table's own options, overridden one by one; part matching counts the places.
        {.entries = {{"p.mse",
                      "a ---> B\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n#options case=ignore"},
                     {"temp.txt", "ch 0 0 1 0 \"A\nch 0 0 1 0 \"xAxa\n"}},
         .arguments = {"--table", "p.mse", "--preview", "--match", "part", "--case", "exact"},
         .out = "1\ta\tB\t1\treplace\t1\n2\t\t\t0\tempty row\t0\n3\t\t\t0\tempty row\t0\n"
                "4\t\t\t0\tempty row\t0\n5\t\t\t0\tempty row\t0\n6\t\t\t0\tempty row\t0\n"
                "7\t\t\t0\tempty row\t0\n8\t\t\t0\tempty row\t0\n9\t\t\t0\tempty row\t0\n"
                "10\t\t\t0\tempty row\t0\ntotal\t1\t0\t0\n"},
        {.arguments = {"--width", "wide"},
         .status = 2,
         .error = "--width takes exact or ignore, not wide" + usage},
        {.entries =
             {{"t.mse",
               "A ---> B\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n#options match=part match=part"}},
         .status = 2,
         .error = "cannot read \"" + InFull("t.mse") +
                  "\": line 11: unknown or repeated setting \"match=part\""},
        {.arguments = {"-C", "nowhere"},
         .status = 2,
         .error = "cannot change to directory \"nowhere\""},
    });
}

// -C comes first wherever it stands, and relative paths, also in "Vosk.ini", are taken from there.
TEST_F(CommandLineTest, DirectoryOption) {
    std::filesystem::create_directories("job/tables");
    WriteFile("job/temp.txt", "ch 0 0 1 0 \"A\n");
    WriteFile("job/tables/t.mse", "A ---> C\r\n");
    WriteFile("job/Vosk.ini", "tables/t.mse");
    EXPECT_EQ(RunBatch({"/P1", "-C", "job"}).status, 0);
    EXPECT_EQ(ReadFile(Directory() / "job" / "jwc_temp.txt"), "ch 0 0 1 0 \"C\r\n");
}

}  // namespace

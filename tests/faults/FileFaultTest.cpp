#include <cstdio>
#include <map>
#include <optional>
#include <utility>

#include "base/FileSystem.h"
#include "cli/BatchCommand.h"
#include "tables/SettingsFiles.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/SizeLimit.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace std::string_literals;

constexpr char kNone[] = "<none>";

// vosk1-batch run in a directory holding a drawing, a table, "Vosk.ini" naming it and an earlier
// output, after the given entries have been put in place: a file's bytes, kDir, "-> " and the
// target of a symbolic link, "=> " and the target of a hard link, or kNone.
struct Case {
    std::vector<std::pair<std::filesystem::path, std::string>> entries;
    std::vector<std::string> arguments;
    int status;
    std::string error;  // all it prints to standard error, after "vosk1-batch: " and before "\n"
    std::optional<std::string> output = {};  // "jwc_temp.txt" afterwards, or kNone; none: unchanged
    std::string out = "";                    // all it prints to standard output
    unsigned sizeLimit = 0;                  // of the files it writes, in bytes; 0: none
    bool killedAtLimit = false;              // the process dies where it crosses the limit
};

// The output of the drawing every case starts with, its text replaced by "B//C" whose second line
// is at y.
std::string Replaced(const char* y) {
    return "cn1\r\nch 0 0 1 0 \"B\r\nch 0 "s + y + " 1 0 \"C\r\nln 0 0 1 1\r\n";
}

std::string Repeat(const std::string& text, int count) {
    std::string repeated;
    while (count-- > 0) {
        repeated += text;
    }
    return repeated;
}

struct BatchRun {
    int status;
    std::string out, err;
};

// What was written to file, which it closes.
std::string Printed(std::FILE* file) {
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

// vosk1-batch run in this process, with what it printed.
BatchRun RunBatch(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunBatchCommand(arguments, out, err);
    return {status, Printed(out), Printed(err)};
}

class FileFaultTest : public ScratchDirectoryTest {
protected:
    std::string InFull(const std::string& name) const { return (Directory() / name).string(); }

    // Large texts are compared with EXPECT_TRUE so that a failure does not print megabytes.
    void Check(const std::vector<Case>& cases) const {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "case " << &c - cases.data() + 1);
            for (const auto& entry : std::filesystem::directory_iterator(Directory())) {
                std::filesystem::remove_all(entry.path());
            }
            WriteFile("temp.txt",
                      "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\nch 0 0 1 0 \"A\nln 0 0 1 1\n");
            WriteFile("t.mse", "A ---> B//C\r\n");
            WriteFile("Vosk.ini", "t.mse");
            WriteFile("jwc_temp.txt", "previous result");
            for (const auto& [path, what] : c.entries) {
                std::filesystem::remove_all(path);
                if (what == kDir) {
                    std::filesystem::create_directories(path);
                } else if (what.starts_with("-> ")) {
                    std::filesystem::create_symlink(what.substr(3), path);
                } else if (what.starts_with("=> ")) {
                    std::filesystem::create_hard_link(what.substr(3), path);
                } else if (what != kNone) {
                    WriteFile(path, what);
                }
            }
            auto expected = Snapshot(Directory());
            if (c.output == kNone) {
                expected.erase("jwc_temp.txt");
            } else if (c.output) {
                expected["jwc_temp.txt"] = *c.output;
            }
            const CSizeLimit limit(c.sizeLimit);
            const BatchRun result = c.killedAtLimit ? RunKilledAtLimit(c) : RunBatch(c.arguments);
            EXPECT_EQ(result.status, c.status);
            EXPECT_EQ(result.err, c.error.empty() ? "" : "vosk1-batch: " + c.error + "\n");
            EXPECT_TRUE(result.out == c.out);
            auto found = Snapshot(Directory());
            // A killed run leaves its unfinished output under a name the host never reads.
            EXPECT_EQ(std::erase_if(
                          found, [](const auto& entry) { return entry.first.ends_with(".tmp"); }),
                      c.killedAtLimit ? 1u : 0u);
            EXPECT_TRUE(found == expected);
        }
    }

    // Under the limit, the write that crosses it kills the process, as a user or a crash might.
    static BatchRun RunKilledAtLimit([[maybe_unused]] const Case& c) {
#ifndef _WIN32
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            RunBatch(c.arguments);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return {WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), "", ""};
#else
        return {};
#endif
    }
};

// What bad usage prints after its reason.
std::string Usage() {
    const std::string help = RunBatch({"--help"}).out;
    return std::string("\n").append(help, 0, help.size() - 1);
}

TEST_F(FileFaultTest, OptionsAndBadUsage) {
    const std::string help = RunBatch({"--help"}).out;
    ASSERT_TRUE(help.starts_with("usage: vosk1-batch")) << help;
    const std::string usage = Usage();
    const std::string texts = "ch 0 0 1 0 \"\x95\x5C\r\nxx\ncv 1 1 0 1 \"a\r\r\nch 0 0 1 0 \"\n";
    Check({
        {{{"Vosk.ini", "gone.mse"}}, {"/P3", "--table", "t.mse"}, 0, "", Replaced("-6")},
        // Every text in its raw bytes, ended by a line feed.
        {{{"temp.txt", texts}}, {"--list"}, 0, "", std::nullopt, "\x95\x5C\na\r\n\n"},
        {{}, {"--help"}, 0, "", std::nullopt, help},
        {{}, {"--table"}, 2, "--table needs a value" + usage},
        {{}, {"--bogus"}, 2, "unknown option --bogus" + usage},
        {{}, {"/P1", "/P2"}, 2, "more than one run parameter" + usage},
        {{}, {"--list", "/P1"}, 2, "--list takes no table, run parameter, match option or --preview" + usage},
        // Nothing is written, and the table is the one given. Row 3 is shadowed by row 2.
        {{{"p.mse", "A ---> B//C\r\nA ---> D\r\nA ---> E\r\nx ---> \r\ny ---> z"},
          {"temp.txt", "ch 0 0 1 0 \"A\nch 0 0 1 0 \"x\n"}},
         {"--table", "p.mse", "--preview", "/P2"},
         0,
         "",
         std::nullopt,
         "1\tA\tB//C\t1\tlines 2\n2\tA\tD\t1\treplace\n3\tA\tE\t0\tshadowed\n4\tx\t\t1\tremove\n"
         "5\ty\tz\t0\tnone\n6\t\t\t0\tempty row\n7\t\t\t0\tempty row\n8\t\t\t0\tempty row\n"
         "9\t\t\t0\tempty row\n10\t\t\t0\tempty row\ntotal\t0\t1\t1\n"},
        {{}, {"-C", "nowhere"}, 2, "cannot change to directory \"nowhere\""},
    });
#ifndef _WIN32
    // Standard output on a full disk, or closed (open for reading only), fails the command.
    for (const auto& [device, mode] : {std::pair{"/dev/full", "w"}, {"/dev/null", "r"}}) {
        for (const char* option : {"--help", "--list"}) {
            std::FILE* out = std::fopen(device, mode);
            std::FILE* err = std::tmpfile();
            EXPECT_EQ(RunBatchCommand({option}, out, err), 1) << device << option;
            EXPECT_EQ(Printed(err), "vosk1-batch: cannot write standard output\n");
            std::fclose(out);
        }
    }
#endif
}

// -C comes first wherever it stands, and relative paths, also in "Vosk.ini", are taken from there.
TEST_F(FileFaultTest, DirectoryOption) {
    std::filesystem::create_directories("job/tables");
    WriteFile("job/temp.txt", "ch 0 0 1 0 \"A\n");
    WriteFile("job/tables/t.mse", "A ---> C\r\n");
    WriteFile("job/Vosk.ini", "tables/t.mse");
    EXPECT_EQ(RunBatch({"/P1", "-C", "job"}).status, 0);
    EXPECT_EQ(ReadFile(Directory() / "job" / "jwc_temp.txt"), "ch 0 0 1 0 \"C\r\n");
}

// A table or "Vosk.ini" that cannot be read stops the run before the output is opened. Any failure
// of the pass leaves no output, not even the earlier one, and never a cut one.
TEST_F(FileFaultTest, AFaultNamesItsFileAndCauseAndChangesNothingElse) {
    const std::string junk = "\0A\0 ---> \0B\r\n\x81 ---> \x81\x81\x81\nX ---> Y\x1AZ"s;
    const std::string texts = "ch \"\0A\0\nch \"\x81\nch \"X\nch \"Z\n"s;
    const std::string replaced = "ch \"\0B\r\nch \"\x81\x81\x81\r\nch \"Y\r\nch \"Z\r\n"s;
    const std::string isDir = "cannot open \"temp.txt\": is a directory";
    // Reading this process's memory from address 0 fails with EIO after a successful open.
    [[maybe_unused]] const std::string mem = "-> /proc/self/mem";
    [[maybe_unused]] const std::string full =
        "cannot write \"" + InFull("jwc_temp.txt") + "\": disk full";
    // The output of this drawing is larger than the first write buffer; its last byte is the
    // 480,000th.
    [[maybe_unused]] const std::string longDrawing = Repeat("ln 0 0 1 1\n", 40000);
    Check({
        {{}, {""}, 0, "", Replaced("-2")},  // an empty run parameter is /P1
        {{}, {"/P1e400"}, 2, "the number of the run parameter \"/P1e400\" is not finite" + Usage()},
        {{{"t.mse", ""}}, {}, 0, "", "cn1\r\nch 0 0 1 0 \"A\r\nln 0 0 1 1\r\n"},
        {{{"t.mse", junk}, {"temp.txt", texts}}, {}, 0, "", replaced},
        {{{"Vosk.ini", kNone}}, {}, 2, "cannot open \"Vosk.ini\": no such file"},
        {{{"Vosk.ini", kDir}}, {}, 2, "cannot open \"Vosk.ini\": is a directory"},
        {{{"Vosk.ini", ""}}, {}, 2, "cannot open \"\": no such file"},
        {{{"Vosk.ini", "\x81\xFF\x95\x1At"}}, {}, 2, "cannot open \"\x81\xFF\x95\": no such file"},
        // Longer than any path: too many characters, or too many bytes to read to its end.
        {{{"Vosk.ini", std::string(32768, 'a')}},
         {},
         2,
         "cannot read \"" + InFull("Vosk.ini") + "\": invalid path"},
        {{{"Vosk.ini", std::string(65535, 'a')}},
         {},
         2,
         "cannot read \"" + InFull("Vosk.ini") + "\": invalid path"},
        // A path ends at a NUL byte, as the C runtime's open sees it; the message shows it all.
        {{{"Vosk.ini", "gone.mse\0t.mse"s}},
         {},
         2,
         "cannot open \"gone.mse\\x00t.mse\": no such file"},
        {{{"Vosk.ini", "gone/t.mse\r\nt.mse"}}, {}, 2, "cannot open \"gone/t.mse\": no such file"},
        {{{"d.mse", kDir}}, {"--table", "d.mse"}, 2, "cannot open \"d.mse\": is a directory"},
        {{{"temp.txt", kDir}}, {}, 1, isDir, kNone},
        {{{"temp.txt", kDir}}, {"--list"}, 1, isDir},
        {{{"jwc_temp.txt", kDir}}, {}, 1, "cannot open \"jwc_temp.txt\": is a directory"},
#ifndef _WIN32
        // Windows takes a name with a control byte for an invalid path.
        {{{"Vosk.ini", "a\rb.mse"}}, {}, 2, "cannot open \"a\\x0Db.mse\": no such file"},
        {{}, {"--table", "t.mse/x.mse"}, 2, "cannot open \"t.mse/x.mse\": invalid path"},
        {{{"m", mem}, {"Vosk.ini", "m"}}, {}, 2, "cannot read \"" + InFull("m") + "\": I/O error"},
        {{{"temp.txt", mem}},
         {},
         1,
         "cannot read \"" + InFull("temp.txt") + "\": I/O error",
         kNone},
        // Linked to the drawing, the output is written beside it, never over it.
        {{{"jwc_temp.txt", "-> temp.txt"}}, {}, 0, "", Replaced("-2")},
        {{{"jwc_temp.txt", "=> temp.txt"}}, {}, 0, "", Replaced("-2")},
        // A full disk at the first write, amid the output and at its last byte; the limit leaves
        // room for the message.
        {{{"temp.txt", longDrawing}}, {}, 1, full, kNone, "", 200},
        {{{"temp.txt", longDrawing}}, {}, 1, full, kNone, "", 100000},
        {{{"temp.txt", longDrawing}}, {}, 1, full, kNone, "", 479999},
        {{{"temp.txt", longDrawing}}, {}, -SIGXFSZ, "", std::nullopt, "", 100000, true},
#endif
    });
}

// 表 (0x95 0x5C), ソ (0x83 0x5C) and 能 (0x94 0x5C) end in the byte of a backslash.
TEST_F(FileFaultTest, ShiftJisPathsWhoseTrailByteIsABackslash) {
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
#ifdef _WIN32
    const std::filesystem::path dir = u8"表ソ", table = dir / u8"能.mse";
#else
    const std::filesystem::path dir = "\x95\x5C\x83\x5C", table = dir / "\x94\x5C.mse";
#endif
    const std::string path =
        GetCurrentDir() + separator + "\x95\x5C\x83\x5C" + separator + "\x94\x5C.mse";
    const std::string missing = "\x95\x5C\x83\x5C" + separator + "\x95\x5C.mse";
    const std::string replaced = "cn1\r\nch 0 0 1 0 \"\x95\x5C\r\nln 0 0 1 1\r\n";
    Check({
        {{{dir, kDir}, {table, "A ---> \x95\x5C"}, {"Vosk.ini", path}}, {}, 0, "", replaced},
        {{{dir, kDir}}, {"--table", missing}, 2, "cannot open \"" + missing + "\": no such file"},
    });
    WriteTableFile(path, {});
    EXPECT_EQ(ReadFile(table), Repeat(" ---> \r\n", 10));
}

}  // namespace

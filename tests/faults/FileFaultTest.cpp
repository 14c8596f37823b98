#include <string>

#include "base/FileSystem.h"
#include "tables/SettingsFiles.h"
#include "tests/support/BatchRun.h"

namespace {

using namespace std::string_literals;
using FileFaultTest = BatchRunTest;

#ifdef _WIN32
constexpr char kEndless[] = "Z:\\dev\\zero";  // Wine's drive Z: is the root
#else
constexpr char kEndless[] = "/dev/zero";
#endif

std::string Repeat(const std::string& text, int count) {
    std::string repeated;
    while (count-- > 0) {
        repeated += text;
    }
    return repeated;
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
    const std::string readFailed = "\": I/O error";
    const std::string tooLarge = "\": not a table file: more than 1048576 bytes";
    const std::string longText = "ch 0 0 1 0 \"" + std::string(64 << 20, 'x');
    std::vector<BatchCase> cases = {
        {.arguments = {""}, .output = Replaced("-2")},  // an empty run parameter is /P1
        {.arguments = {"/P1e400"},
         .status = 2,
         .error = "the number of the run parameter \"/P1e400\" is not finite" + Usage()},
        {.entries = {{"t.mse", ""}}, .output = "cn1\r\nch 0 0 1 0 \"A\r\nln 0 0 1 1\r\n"},
        {.entries = {{"t.mse", junk}, {"temp.txt", texts}}, .output = replaced},
        {.entries = {{"Vosk.ini", kNone}},
         .status = 2,
         .error = "cannot open \"Vosk.ini\": no such file"},
        {.entries = {{"Vosk.ini", kDir}},
         .status = 2,
         .error = "cannot open \"Vosk.ini\": is a directory"},
        {.entries = {{"Vosk.ini", ""}}, .status = 2, .error = "cannot open \"\": no such file"},
        {.entries = {{"Vosk.ini", "\x81\xFF\x95\x1At"}},
         .status = 2,
         .error = "cannot open \"\x81\xFF\x95\": no such file"},
        // Longer than any path: too many characters, or too many bytes to read to its end.
        {.entries = {{"Vosk.ini", std::string(32768, 'a')}},
         .status = 2,
         .error = "cannot read \"" + InFull("Vosk.ini") + "\": invalid path"},
        {.entries = {{"Vosk.ini", std::string(65535, 'a')}},
         .status = 2,
         .error = "cannot read \"" + InFull("Vosk.ini") + "\": invalid path"},
        // A path ends at a NUL byte, as the C runtime's open sees it; the message shows it all.
        {.entries = {{"Vosk.ini", "gone.mse\0t.mse"s}},
         .status = 2,
         .error = "cannot open \"gone.mse\\x00t.mse\": no such file"},
        {.entries = {{"Vosk.ini", "gone/t.mse\r\nt.mse"}},
         .status = 2,
         .error = "cannot open \"gone/t.mse\": no such file"},
        {.entries = {{"d.mse", kDir}},
         .arguments = {"--table", "d.mse"},
         .status = 2,
         .error = "cannot open \"d.mse\": is a directory"},
        {.entries = {{"temp.txt", kDir}}, .status = 1, .error = isDir, .output = kNone},
        {.entries = {{"temp.txt", kDir}}, .arguments = {"--list"}, .status = 1, .error = isDir},
        {.entries = {{"jwc_temp.txt", kDir}},
         .status = 1,
         .error = "cannot open \"jwc_temp.txt\": is a directory"},
        {.entries = {{"temp.txt", kDrawing + longText + "\n"}},
         .output = Replaced("-2") + longText + "\r\n"},
        {.fault = {"t.mse", 5, kDeviceError},
         .status = 2,
         .error = "cannot read \"" + InFull("t.mse") + readFailed},
        {.entries = {{"z.mse", std::string(kMaxTableBytes + 1, 'x')}},
         .arguments = {"--table", "z.mse"},
         .status = 2,
         .error = "cannot read \"" + InFull("z.mse") + tooLarge},
        {.arguments = {"--table", kEndless},
         .status = 2,
         .error = "cannot read \""s + kEndless + tooLarge},
#ifndef _WIN32
        // MinGW makes no symbolic links.
        {.entries = {{"temp.txt", "-> "s + kEndless}},
         .fault = {{}, 0, 0, 64 << 20},  // memory for a 64 MiB buffer at most
         .status = 1,
         .error = "out of memory",
         .output = kNone},
        // Windows takes a name with a control byte for an invalid path.
        {.entries = {{"Vosk.ini", "a\rb.mse"}},
         .status = 2,
         .error = "cannot open \"a\\x0Db.mse\": no such file"},
        {.arguments = {"--table", "t.mse/x.mse"},
         .status = 2,
         .error = "cannot open \"t.mse/x.mse\": invalid path"},
        {.entries = {{"temp.txt", mem}},
         .status = 1,
         .error = "cannot read \"" + InFull("temp.txt") + "\": I/O error",
         .output = kNone},
        // Linked to the drawing, the output is written beside it, never over it.
        {.entries = {{"jwc_temp.txt", "-> temp.txt"}}, .output = Replaced("-2")},
        {.entries = {{"jwc_temp.txt", "=> temp.txt"}}, .output = Replaced("-2")},
#endif
    };
    // The output of this drawing is larger than the first write buffer; its last byte is the
    // 480,000th. A full disk at the first write, amid the output and at its last byte.
    const std::string longDrawing = Repeat("ln 0 0 1 1\n", 40000);
    const std::string full = "cannot write \"" + InFull("jwc_temp.txt") + "\": disk full";
    for (const size_t limit : {0u, 100000u, 479999u}) {
        cases.push_back({.entries = {{"temp.txt", longDrawing}},
                         .fault = {"jwc_temp.txt", limit, kDiskFullError},
                         .status = 1,
                         .error = full,
                         .output = kNone});
    }
    cases.push_back({.entries = {{"temp.txt", longDrawing}},
                     .fault = {"temp.txt", 100000, kDeviceError},
                     .status = 1,
                     .error = "cannot read \"" + InFull("temp.txt") + readFailed,
                     .output = kNone});
#ifndef _WIN32
    cases.push_back({.entries = {{"temp.txt", longDrawing}},
                     .fault = {"jwc_temp.txt", 100000},
                     .killedAtLimit = true,
                     .status = -SIGXFSZ});
#endif
    Check(cases);
}

// Each error of the system's file calls, met by a write of the output, is reported by its cause.
TEST_F(FileFaultTest, SystemErrorsByTheirCause) {
    const std::vector<std::pair<unsigned long, const char*>> errors = {
#ifdef _WIN32
        {ERROR_FILE_NOT_FOUND, "no such file"},       {ERROR_PATH_NOT_FOUND, "no such file"},
        {ERROR_ACCESS_DENIED, "access denied"},       {ERROR_SHARING_VIOLATION, "access denied"},
        {ERROR_LOCK_VIOLATION, "access denied"},      {ERROR_DISK_FULL, "disk full"},
        {ERROR_HANDLE_DISK_FULL, "disk full"},        {ERROR_INVALID_NAME, "invalid path"},
        {ERROR_FILENAME_EXCED_RANGE, "invalid path"}, {ERROR_CRC, "I/O error"},
#else
        {ENOENT, "no such file"}, {EACCES, "access denied"}, {EROFS, "access denied"},
        {ENOSPC, "disk full"},    {EFBIG, "disk full"},      {EIO, "I/O error"},
#endif
    };
    std::vector<BatchCase> cases;
    for (const auto& [error, cause] : errors) {
        cases.push_back({.fault = {"jwc_temp.txt", 0, error},
                         .status = 1,
                         .error = "cannot write \"" + InFull("jwc_temp.txt") + "\": " + cause,
                         .output = kNone});
    }
    Check(cases);
}

#ifndef _WIN32
// Standard output on a full disk, or closed (open for reading only), fails the command.
TEST_F(FileFaultTest, StandardOutputThatCannotBeWritten) {
    WriteFile("temp.txt", "ch 0 0 1 0 \"A\n");
    for (const auto& [device, mode] : {std::pair{"/dev/full", "w"}, {"/dev/null", "r"}}) {
        for (const char* option : {"--help", "--list"}) {
            std::FILE* out = std::fopen(device, mode);
            std::FILE* err = std::tmpfile();
            EXPECT_EQ(RunBatchCommand({option}, out, err), 1) << device << option;
            EXPECT_EQ(Printed(err), "vosk1-batch: cannot write standard output\n");
            std::fclose(out);
        }
    }
}
#endif

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
        {.entries = {{dir, kDir}, {table, "A ---> \x95\x5C"}, {"Vosk.ini", path}},
         .output = replaced},
        {.entries = {{dir, kDir}},
         .arguments = {"--table", missing},
         .status = 2,
         .error = "cannot open \"" + missing + "\": no such file"},
    });
    WriteTableFile(path, {});
    EXPECT_EQ(ReadFile(table), Repeat(" ---> \r\n", 10));
}

}  // namespace

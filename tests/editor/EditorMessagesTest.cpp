#include "editor/EditorMessages.h"

#include <gtest/gtest.h>

#include "editor/EditorTexts.h"
#include "editor/Vosk1View.h"

namespace {

using Cause = CFileException::Cause;
using Operation = CFileException::Operation;

TEST(EditorMessagesTest, EngineFileErrorsNameTheFileAndTheCause) {
    const struct {
        CFileException error;
        std::string expected;
    } cases[] = {
        {{Cause::fileNotFound, Operation::open, "temp.txt"},
         std::string("temp.txt\n ") + kFileMissing},
        {{Cause::accessDenied, Operation::open, "temp.txt"},
         std::string("temp.txt\n ") + kAccessDenied},
        {{Cause::badPath, Operation::open, "a?b"}, std::string("a?b\n ") + kBadPath},
        {{Cause::hardIO, Operation::read, "/d/temp.txt"},
         std::string("/d/temp.txt\n ") + kReadFailed},
        {{Cause::hardIO, Operation::write, "/d/jwc_temp.txt"},
         std::string("/d/jwc_temp.txt\n ") + kWriteFailed},
        {{Cause::diskFull, Operation::close, "/d/jwc_temp.txt"},
         std::string("/d/jwc_temp.txt\n ") + kWriteFailed + kDiskFull},
    };
    for (const auto& [error, expected] : cases) {
        EXPECT_EQ(FileErrorReport(error), expected);
    }
}

TEST(EditorMessagesTest, CommandFileErrorsReadLikeTheFrameworks) {
    const struct {
        Cause cause;
        std::string fileName;
        std::string expected;
    } cases[] = {
        // %1 へのｱｸｾｽは拒否されました。
        {Cause::accessDenied, "C:\\t.mse",
         "C:\\t.mse "
         "\x82\xD6\x82\xCC\xB1\xB8\xBE\xBD\x82\xCD\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC"
         "\x82\xB5\x82\xBD\x81\x42"},
        {Cause::badPath, "x", "x" + std::string(kFrameworkBadPath + 2)},
        {Cause::fileNotFound, "", kUntitledFileName + std::string(kFrameworkFileNotFound + 2)},
    };
    for (const auto& [cause, fileName, expected] : cases) {
        EXPECT_EQ(CommandFileErrorReport({cause, Operation::write, fileName}), expected);
    }
}

TEST(EditorMessagesTest, ProgramDirectoryStepsOverDoubleByteCharacters) {
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {"C:\\tools\\conv.exe", "C:\\tools\\"},
        {"C:\\\x95\x5C\\conv.exe", "C:\\\x95\x5C\\"},  // 表 ends in the byte of a backslash
        {"C:\\a\x95\x5C.exe", "C:\\"},
        {"C:\\\xB1\\conv.exe", "C:\\\xB1\\"},  // ｱ is one byte
        {"C:\\a\\\x95", "C:\\a\\"},            // a lead byte without its trail byte
        {"conv.exe", ""},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(ProgramDirectory(path), expected) << path;
    }
}

TEST(EditorMessagesTest, OddRowsAreShadedInAllThreeColumns) {
    for (int id = 1000; id < 1060; ++id) {
        const bool cell = id >= 1015 && id <= 1044;
        const int row = (id - 1015) % 10 + 1;
        EXPECT_EQ(IsShadedCell(id), cell && row % 2 == 1) << id;
    }
    EXPECT_FALSE(IsShadedCell(61204));
}

}  // namespace

#include "editor/EditorMessages.h"

#include <gtest/gtest.h>

#include <tuple>

#include "editor/EditorTexts.h"

namespace {

using Cause = CFileException::Cause;
using Operation = CFileException::Operation;

TEST(EditorMessagesTest, FileErrorsNameTheFileAndTheCause) {
    // The sentence of a report the program goes on from, and the end, after the file name, of the
    // report of an error that ends a command.
    const std::tuple<Cause, Operation, std::string, const char*> cases[] = {
        {Cause::fileNotFound, Operation::open, kFileMissing, kFrameworkFileNotFound + 2},
        {Cause::accessDenied, Operation::open, kAccessDenied, kFrameworkAccessDenied + 2},
        {Cause::badPath, Operation::open, kBadPath, kFrameworkBadPath + 2},
        {Cause::diskFull, Operation::open, kDiskFull, kFrameworkDiskFull + 2},
        {Cause::hardIO, Operation::read, kReadFailed, kFrameworkHardIO + 2},
        {Cause::generic, Operation::read, kReadFailed, kFrameworkGeneric + 2},
        {Cause::hardIO, Operation::write, kWriteFailed, kFrameworkHardIO + 2},
        {Cause::diskFull, Operation::close, std::string(kWriteFailed) + kDiskFull,
         kFrameworkDiskFull + 2},
    };
    for (const auto& [cause, operation, sentence, commandEnd] : cases) {
        const CFileException error(cause, operation, "d/t.mse");
        EXPECT_EQ(FileErrorReport(error), "d/t.mse\n " + sentence);
        EXPECT_EQ(CommandFileErrorReport(error), "d/t.mse" + std::string(commandEnd));
    }
    EXPECT_EQ(CommandFileErrorReport({Cause::badPath, Operation::open, ""}),
              kUntitledFileName + std::string(kFrameworkBadPath + 2));
}

}  // namespace

#include "editor/EditorMessages.h"

#include <string_view>

#include "editor/EditorTexts.h"

namespace {

using Cause = CFileException::Cause;
using Operation = CFileException::Operation;

std::string CauseSentence(const CFileException& error) {
    if (error.m_cause == Cause::fileNotFound) {
        return kFileMissing;
    }
    // Closing a file written to flushes what its buffer still holds.
    if (error.m_operation == Operation::write || error.m_operation == Operation::close) {
        return error.m_cause == Cause::diskFull ? std::string(kWriteFailed) + kDiskFull
                                                : std::string(kWriteFailed);
    }
    switch (error.m_cause) {
        case Cause::accessDenied:
        case Cause::isDirectory:
            return kAccessDenied;
        case Cause::badPath:
            return kBadPath;
        case Cause::diskFull:
            return kDiskFull;
        case Cause::fileNotFound:
        case Cause::hardIO:
        case Cause::generic:
            break;
    }
    return kReadFailed;
}

std::string_view FrameworkFormat(Cause cause) {
    switch (cause) {
        case Cause::fileNotFound:
            return kFrameworkFileNotFound;
        case Cause::badPath:
            return kFrameworkBadPath;
        case Cause::accessDenied:
        case Cause::isDirectory:
            return kFrameworkAccessDenied;
        case Cause::diskFull:
            return kFrameworkDiskFull;
        case Cause::hardIO:
            return kFrameworkHardIO;
        case Cause::generic:
            break;
    }
    return kFrameworkGeneric;
}

// The format with its "%1" replaced by name.
std::string FormatWithName(std::string_view format, std::string_view name) {
    const size_t at = format.find("%1");
    std::string text(format.substr(0, at));
    text += name;
    text += format.substr(at + 2);
    return text;
}

}  // namespace

std::string FileErrorReport(const CFileException& error) {
    return error.m_strFileName + "\n " + CauseSentence(error);
}

std::string TableLoadFailureReport(const CFileException& error) {
    return FileErrorReport(error) + kOpeningNewTable;
}

std::string CommandFileErrorReport(const CFileException& error) {
    return FormatWithName(FrameworkFormat(error.m_cause),
                          error.m_strFileName.empty() ? kUntitledFileName : error.m_strFileName);
}

std::string BadRunParameterReport(std::string_view runParameter) {
    return FormatWithName(kBadRunParameter, runParameter);
}

std::string UnrepresentableCellReport(int row, bool afterColumn) {
    return std::to_string(row) + kRowSuffix + (afterColumn ? kAfterColumnName : kBeforeColumnName) +
           kUnrepresentableText;
}

void CMessageBoxErrorSink::ReportFileError(const CFileException& error) {
    m_windows.ShowMessageBox(FileErrorReport(error), kMbOk | kMbIconStop);
}

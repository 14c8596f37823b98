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
    if (error.m_cause == Cause::badFormat) {
        return FillFormat(kBadTableSetting, {std::to_string(error.m_nLine), error.m_strDetail});
    }
    if (error.m_cause == Cause::tooLarge) {
        return FillFormat(kTableTooLarge, {std::to_string(error.m_nLimit)});
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
        case Cause::badFormat:
        case Cause::tooLarge:
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
        case Cause::badFormat:
        case Cause::tooLarge:
        case Cause::generic:
            break;
    }
    return kFrameworkGeneric;
}

}  // namespace

std::string FileErrorReport(const CFileException& error) {
    return error.m_strFileName + "\n " + CauseSentence(error);
}

std::string TableLoadFailureReport(const CFileException& error) {
    return FileErrorReport(error) + kOpeningNewTable;
}

std::string CommandFileErrorReport(const CFileException& error) {
    // A table that is there but cannot be taken is no fault of the file system: say what is wrong.
    if (error.m_cause == Cause::badFormat || error.m_cause == Cause::tooLarge) {
        return FileErrorReport(error);
    }
    return FillFormat(FrameworkFormat(error.m_cause),
                      {error.m_strFileName.empty() ? kUntitledFileName : error.m_strFileName});
}

std::string BadRunParameterReport(std::string_view runParameter) {
    return FillFormat(kBadRunParameter, {runParameter});
}

std::string UnrepresentableCellReport(int row, bool afterColumn) {
    return std::to_string(row) + kRowSuffix + (afterColumn ? kAfterColumnName : kBeforeColumnName) +
           kUnrepresentableText;
}

std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> arguments) {
    std::string text;
    for (size_t i = 0; i < format.size(); ++i) {
        const size_t argument =
            i + 1 < format.size() ? static_cast<size_t>(format[i + 1] - '1') : arguments.size();
        if (format[i] == '%' && argument < arguments.size()) {
            text += arguments.begin()[argument];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::string StatusText(const ReplacementTable& table, size_t row, const ReplacementCounts& counts) {
    const std::string totals =
        FillFormat(kTotals, {std::to_string(counts.replaced), std::to_string(counts.removed),
                             std::to_string(counts.laidOut)});
    const ReplacementRow& cells = table.rows[row];
    const RowCount& count = counts.rows[row];
    const std::string number = std::to_string(row + 1);
    const std::string applied = std::to_string(count.applied);
    std::string rowText;
    switch (ActionOf(cells, count)) {
        case RowAction::emptyRow:
            return totals;
        case RowAction::none:
            rowText = FillFormat(kRowMatchesNothing, {number});
            break;
        case RowAction::shadowed:
            rowText = FillFormat(kRowShadowed, {number, std::to_string(count.matched)});
            break;
        case RowAction::replace:
            rowText = FillFormat(kRowReplaces, {number, applied});
            break;
        case RowAction::remove:
            rowText = FillFormat(kRowRemoves, {number, applied});
            break;
        case RowAction::layOut:
            rowText =
                FillFormat(kRowLaysOut, {number, applied, std::to_string(LineCount(cells.after))});
            break;
    }
    return rowText + kStatusSeparator + totals;
}

void CMessageBoxErrorSink::ReportFileError(const CFileException& error) {
    m_windows.ShowMessageBox(FileErrorReport(error), kMbOk | kMbIconStop);
}

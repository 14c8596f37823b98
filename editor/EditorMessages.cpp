#include "editor/EditorMessages.h"

#include <string_view>
#include <utility>

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

// What the row (from 0) will do; empty for an empty row.
std::string RowStatus(const ReplacementTable& table, size_t row, const RowCount& count) {
    const ReplacementRow& cells = table.rows[row];
    const std::string number = std::to_string(row + 1);
    const std::string applied = std::to_string(count.applied);
    const std::string places = std::to_string(count.places);
    const bool part = table.options.part;
    switch (ActionOf(cells, count)) {
        case RowAction::emptyRow:
            break;
        case RowAction::none:
            return FillFormat(kRowMatchesNothing, {number});
        case RowAction::shadowed:
            return FillFormat(kRowShadowed, {number, std::to_string(count.matched)});
        case RowAction::replace:
            return FillFormat(part ? kRowReplacesPlaces : kRowReplaces, {number, applied, places});
        case RowAction::remove:
            return FillFormat(part ? kRowRemovesPlaces : kRowRemoves, {number, applied, places});
        case RowAction::layOut:
            return part ? FillFormat(kRowLaysOutPlaces, {number, applied, places})
                        : FillFormat(kRowLaysOut,
                                     {number, applied, std::to_string(LineCount(cells.after))});
    }
    return {};
}

// The names of the options that are not the default, in the menu's order.
std::string OptionsInForce(const MatchOptions& options) {
    std::string names;
    for (const auto& [on, name] :
         {std::pair{options.part, kOptionPart}, std::pair{options.ignoreWidth, kOptionIgnoreWidth},
          std::pair{options.ignoreCase, kOptionIgnoreCase}}) {
        if (on) {
            names += (names.empty() ? "" : kOptionJoiner) + std::string(name);
        }
    }
    return FillFormat(kOptionsInForce, {names});
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
    std::string text = RowStatus(table, row, counts.rows[row]);
    if (!text.empty()) {
        text += kStatusSeparator;
    }
    text += FillFormat(kTotals, {std::to_string(counts.replaced), std::to_string(counts.removed),
                                 std::to_string(counts.laidOut)});
    if (!table.options.IsDefault()) {
        text += kStatusSeparator + OptionsInForce(table.options);
    }
    return text;
}

void CMessageBoxErrorSink::ReportFileError(const CFileException& error) {
    m_windows.ShowMessageBox(FileErrorReport(error), kMbOk | kMbIconStop);
}

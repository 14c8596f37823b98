#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/FileException.h"
#include "editor/WindowSystem.h"
#include "engine/FileErrorSink.h"
#include "engine/ReplacementCounts.h"

// "<file name>\n <sentence>" for a file error the program reports and goes on from; the sentence
// names the cause ("ファイルがありません。" when the file was not found).
std::string FileErrorReport(const CFileException& error);

// The report of a table that could not be loaded: as FileErrorReport, followed by the
// consequence "新規.mseを開きます".
std::string TableLoadFailureReport(const CFileException& error);

// The report of a file error that ended a command, in the words of the window framework, with
// the file name (or "無題のﾌｧｲﾙ" for none) in place of %1.
std::string CommandFileErrorReport(const CFileException& error);

// The report of a run parameter whose number is not finite, which Confirm refuses.
std::string BadRunParameterReport(std::string_view runParameter);

// The report of a cell whose text Shift-JIS cannot hold; row counts from 1.
std::string UnrepresentableCellReport(int row, bool afterColumn);

// The format with each "%k" replaced by the k-th argument, k from 1 to 9.
std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> arguments);

// The status bar's text: what the given row (from 0) will do, unless it is empty, then the
// totals, then the options that are not the default.
std::string StatusText(const ReplacementTable& table, size_t row, const ReplacementCounts& counts);

// Shows the file errors of the pass and of the text list in a stop-icon box.
class CMessageBoxErrorSink : public CFileErrorSink {
public:
    explicit CMessageBoxErrorSink(CWindowSystem& windows) : m_windows(windows) {}
    void ReportFileError(const CFileException& error) override;

private:
    CWindowSystem& m_windows;
};

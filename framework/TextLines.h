#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

#include "framework/ByteIndex.h"

// A line, and its line end as it stands in the file: "\r\n", "\n", or nothing for a last line
// without one.
struct TextLine {
    std::string_view text;
    std::string_view end;

    bool EndsInCrLf() const { return end.size() == 2; }
    // Where the next line starts.
    const char* Next() const { return end.data() + end.size(); }
};

// Calls handleLine(line) for every line of run, a run from CStdioFile::ReadLines, cut by
// CStdioFile's text-mode rules: a line ends at LF, a CR directly before the LF goes with it, and
// the run's last line may have no end. lineFeeds indexes the run; the caller keeps it so that
// its storage is reused.
template <typename HandleLine>
void ForEachLine(std::string_view run, CByteIndex& lineFeeds, HandleLine handleLine) {
    lineFeeds.Reset(run);
    const char* data = run.data();
    size_t start = 0;
    for (size_t w = 0; w < lineFeeds.WordCount(); ++w) {
        for (uint64_t untaken = lineFeeds.Word(w); untaken != 0; untaken &= untaken - 1) {
            const size_t lineFeed = w * 64 + static_cast<size_t>(std::countr_zero(untaken));
            const size_t textEnd =
                lineFeed > start && data[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
            handleLine(TextLine{std::string_view(data + start, textEnd - start),
                                std::string_view(data + textEnd, lineFeed + 1 - textEnd)});
            start = lineFeed + 1;
        }
    }
    if (start < run.size()) {
        handleLine(TextLine{run.substr(start), run.substr(run.size())});
    }
}

#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#include "base/ByteMask.h"

// A line, and its line end as it stands in the file: "\r\n", "\n", or nothing for a last line
// without one.
struct TextLine {
    std::string_view text;
    std::string_view end;

    bool EndsInCrLf() const { return end.size() == 2; }
    // Where the next line starts.
    const char* Next() const { return end.data() + end.size(); }
};

// Calls handleLine(line) for every line of run, a run from CTextReader::ReadLines, cut by
// CTextReader's text-mode rules: a line ends at LF, a CR directly before the LF goes with it, and
// the run's last line may have no end. Line feeds are found 64 bytes at a time.
template <typename HandleLine>
void ForEachLine(std::string_view run, HandleLine handleLine) {
    const char* data = run.data();
    size_t start = 0;
    for (size_t base = 0; base < run.size(); base += 64) {
        const uint64_t lineFeeds =
            ByteMask(data + base, std::min<size_t>(64, run.size() - base), '\n');
        for (uint64_t untaken = lineFeeds; untaken != 0; untaken &= untaken - 1) {
            const size_t lineFeed = base + static_cast<size_t>(std::countr_zero(untaken));
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

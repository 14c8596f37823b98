#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

#include "framework/ByteIndex.h"

// A line without its line end, and whether CR LF ended it in the file.
struct TextLine {
    std::string_view text;
    bool endsInCrLf = false;
};

// Cuts a run from CStdioFile::ReadLines into lines by CStdioFile's text-mode rules: a line ends
// at LF, a CR directly before the LF goes with it, and the run's last line may have no end.
class CTextLines {
public:
    void Reset(std::string_view run);
    // The next line of the run; false after the last.
    inline bool Next(TextLine& line);
    // The part of the run after the lines taken so far.
    std::string_view Rest() const { return m_run.substr(m_nextStart); }

private:
    std::string_view m_run;
    CByteIndex m_lineFeeds{'\n'};
    size_t m_nextStart = 0;
    size_t m_word = 0;
    uint64_t m_untaken = 0;  // the line feeds of word m_word not yet taken
};

inline void CTextLines::Reset(std::string_view run) {
    m_run = run;
    m_lineFeeds.Reset(run);
    m_nextStart = 0;
    m_word = 0;
    m_untaken = m_lineFeeds.WordCount() > 0 ? m_lineFeeds.Word(0) : 0;
}

// Inline: the replacement pass calls it for every line of the drawing.
inline bool CTextLines::Next(TextLine& line) {
    if (m_nextStart >= m_run.size()) {
        return false;
    }
    while (m_untaken == 0) {
        if (++m_word >= m_lineFeeds.WordCount()) {
            line = {m_run.substr(m_nextStart), false};
            m_nextStart = m_run.size();
            return true;
        }
        m_untaken = m_lineFeeds.Word(m_word);
    }
    const size_t lineFeed = m_word * 64 + static_cast<size_t>(std::countr_zero(m_untaken));
    m_untaken &= m_untaken - 1;
    const bool crlf = lineFeed > m_nextStart && m_run[lineFeed - 1] == '\r';
    line = {m_run.substr(m_nextStart, lineFeed - m_nextStart - (crlf ? 1 : 0)), crlf};
    m_nextStart = lineFeed + 1;
    return true;
}

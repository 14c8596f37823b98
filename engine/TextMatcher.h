#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileSystem.h"
#include "engine/ReplacementTable.h"

// A character of a text: a Shift-JIS lead byte with the byte after it, a half-width katakana with
// the voiced mark that composes with it into one character (ｶﾞ, ﾊﾟ), or any other byte alone. A
// lead byte that ends the text stands alone. Characters that the options make equal have equal
// keys; with no option set, equal keys mean equal bytes.
struct TextCharacter {
    uint32_t key;
    size_t size;
};

TextCharacter ReadCharacter(std::string_view text, size_t at, const MatchOptions& options);

// Whether a half-width katakana and a following ﾞ (0xDE) or ﾟ (0xDF) make one character: ｶﾞ, ﾊﾟ,
// ｳﾞ, and ﾜﾞ and ｦﾞ, whose one character Shift-JIS does not have.
inline bool ComposesWithMark(unsigned char base, unsigned char mark) {
    const bool haRow = base >= 0xCA && base <= 0xCE;  // ﾊ to ﾎ
    if (mark == 0xDF) {
        return haRow;
    }
    return mark == 0xDE && (haRow || (base >= 0xB6 && base <= 0xC4) || base == 0xB3 ||
                            base == 0xDC || base == 0xA6);
}

// The bytes of the character that starts at `at`, whatever the options.
inline size_t CharacterSize(std::string_view text, size_t at) {
    const auto first = static_cast<unsigned char>(text[at]);
    if (first < 0x80 || at + 1 == text.size()) {
        return 1;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return IsLeadByte(first) || ComposesWithMark(first, second) ? 2 : 1;
}

// Compares the texts of a drawing with the before texts of a table under its options. A wholly
// empty row is unused: it matches nothing.
class CTextMatcher {
public:
    explicit CTextMatcher(const ReplacementTable& table);
    CTextMatcher(const CTextMatcher&) = delete;
    CTextMatcher& operator=(const CTextMatcher&) = delete;

    const ReplacementTable& Table() const { return m_table; }
    bool PartMatching() const { return m_table.options.part; }

    // False only for a text that no row can match, cheaply: the pass asks it for every text.
    bool MayMatch(std::string_view text) const {
        switch (m_filter) {
            case Filter::lengthAndFirstByte:
                return (m_lengthAndFirstByteKeys & LengthAndFirstByteKey(text)) != 0;
            case Filter::firstByte:
                return text.empty() ? m_bMatchesEmpty : m_rowsByStartByte[Byte(text, 0)] != 0;
            case Filter::anyByte:
                break;
        }
        return CandidateRows(text) != 0;
    }

    // Part matching: the rows, a bit each, whose before text may occur in the text, looked for
    // only where the first two bytes of a row's first character (or of its before text, without
    // options) stand: without options, those whose bytes stand there; with them, those whose
    // first character may start there.
    unsigned CandidateRows(std::string_view text) const {
        unsigned rows = 0;
        for (size_t at = 0; at + 1 < text.size(); ++at) {
            const size_t pair = Byte(text, at) | Byte(text, at + 1) << 8;
            if ((m_startPairs[pair >> 6] >> (pair & 63) & 1) != 0) {
                rows |= RowsStartingAt(text, at);
            }
        }
        return text.empty() ? rows : rows | RowsStartingAt(text, text.size() - 1);
    }

    // Whole matching: the text equals the row's before text (row from 0).
    bool Matches(size_t row, std::string_view text) const;

    // A text cut into characters: their keys, and where each starts, with the text's size last.
    struct Characters {
        std::vector<uint32_t> keys;
        std::vector<size_t> starts;
    };
    struct PartReplacement {
        std::string text;  // the text as the rows left it
        bool changed = false;
        bool multiLine = false;  // a row with "//" in its after text changed it
        std::array<size_t, ReplacementTable::kRowCount> places{};  // occurrences replaced by row
        Characters characters;                                     // scratch, kept for its memory
        std::string spare;                                         // scratch, kept for its memory
    };
    // Part matching: rows 1 to 10 in order, each replacing every occurrence of its before text in
    // the text as the rows before it left it.
    void ReplaceParts(std::string_view text, PartReplacement& result) const;
    // Part matching: the rows whose before text occurs in the text, a bit each; only the
    // candidates are searched.
    unsigned RowsOccurring(std::string_view text, unsigned candidates, Characters& scratch) const;

private:
    enum class Filter { lengthAndFirstByte, firstByte, anyByte };

    static size_t Byte(std::string_view text, size_t at) {
        return static_cast<unsigned char>(text[at]);
    }
    // Texts of one length mostly differ in their first byte: one bit of 64 for each such pair.
    static uint64_t LengthAndFirstByteKey(std::string_view text) {
        const size_t first = text.empty() ? 0 : Byte(text, 0);
        return uint64_t{1} << ((text.size() + 7 * first) & 63);
    }
    bool IsUsed(size_t row) const;
    // The rows whose before text stands at `at` (with options: may start there), a bit each.
    unsigned RowsStartingAt(std::string_view text, size_t at) const {
        unsigned rows = 0;
        if (!m_bExact) {
            return m_rowsByStartByte[Byte(text, at)];
        }
        for (unsigned starting = m_rowsByStartByte[Byte(text, at)]; starting != 0;
             starting &= starting - 1) {
            const auto row = static_cast<size_t>(std::countr_zero(starting));
            const std::string& before = m_table.rows[row].before;
            if (before.size() <= text.size() - at &&
                std::memcmp(text.data() + at, before.data(), before.size()) == 0) {
                rows |= 1u << row;
            }
        }
        return rows;
    }
    void Cut(std::string_view text, Characters& characters) const;
    // The first character, from `from` on, where the row's before text starts; npos for none.
    size_t FindBefore(size_t row, const std::vector<uint32_t>& keys, size_t from) const;
    // Without options: the first byte, from the character boundary `from` on, where the row's
    // before text starts on a character boundary and ends on one; npos for none.
    size_t FindBeforeBytes(size_t row, std::string_view text, size_t from) const;
    void ReplaceBytes(std::string_view text, PartReplacement& result) const;
    void ReplaceCharacters(std::string_view text, PartReplacement& result) const;
    void MarkStartBytes();
    void MarkStartPairs(std::string_view before);

    const ReplacementTable& m_table;
    bool m_bExact;  // no width or case option: keys compare as bytes
    Filter m_filter;
    uint64_t m_lengthAndFirstByteKeys = 0;
    bool m_bMatchesEmpty = false;
    // For each byte, the rows whose first character can start with it, a bit each.
    std::array<uint16_t, 256> m_rowsByStartByte{};
    // The pairs of bytes a row's first character (without options, its before text) can start
    // with, a bit each; a one-byte character starts every pair with its byte.
    std::array<uint64_t, 1024> m_startPairs{};
    std::array<std::vector<uint32_t>, ReplacementTable::kRowCount> m_beforeKeys;
};

// Hands onRow the rows that whole matching applies to a text, in order: each row whose before
// text matches, up to the first such row that is not multi-line, which ends the search. The pass
// and the counts of what it will do both take the rule from here alone.
template <class OnRow>
void ForEachApplyingRow(const CTextMatcher& matcher, std::string_view text, OnRow onRow) {
    const auto& rows = matcher.Table().rows;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!matcher.Matches(r, text)) {
            continue;
        }
        onRow(rows[r]);
        if (!IsMultiLine(rows[r].after)) {
            return;
        }
    }
}

#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The bytes of the character that starts at `at`, whatever the options.
inline size_t CharacterSize(std::string_view text, size_t at) {
    return ReadCharacter(text, at, MatchOptions{}).size;
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
                return text.empty() ? m_bMatchesEmpty : m_startBytes[Byte(text, 0)];
            case Filter::anyByte:
                break;
        }
        for (size_t at = 0; at < text.size(); ++at) {
            if (m_startBytes[Byte(text, at)]) {
                return true;
            }
        }
        return false;
    }

    // Whole matching: the text equals the row's before text (row from 0).
    bool Matches(size_t row, std::string_view text) const;
    // Part matching: the row's before text occurs in the text.
    bool Occurs(size_t row, std::string_view text) const;

    struct PartReplacement {
        std::string text;  // the text as the rows left it
        bool changed = false;
        bool multiLine = false;  // a row with "//" in its after text changed it
        std::array<size_t, ReplacementTable::kRowCount> places{};  // occurrences replaced by row
    };
    // Part matching: rows 1 to 10 in order, each replacing every occurrence of its before text in
    // the text as the rows before it left it.
    void ReplaceParts(std::string_view text, PartReplacement& result) const;

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
    // The first occurrence of the row's before text at or after from, a character boundary;
    // npos when there is none. end is set to where the occurrence ends.
    size_t FindOccurrence(size_t row, std::string_view text, size_t from, size_t& end) const;
    // Whether the row's before text, compared by keys, starts at `at`; end as above.
    bool KeysMatchAt(size_t row, std::string_view text, size_t at, size_t& end) const;
    void MarkStartBytes();

    const ReplacementTable& m_table;
    bool m_bExact;  // no width or case option: keys compare as bytes
    Filter m_filter;
    uint64_t m_lengthAndFirstByteKeys = 0;
    bool m_bMatchesEmpty = false;
    std::array<bool, 256> m_startBytes{};  // bytes that can start a character a row starts with
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

#include "engine/TextMatcher.h"

#include <algorithm>
#include <optional>

#include "base/FileSystem.h"

namespace {

// Keys: a byte alone is its value, a double-byte character kDoubleByte with its code, a composed
// half-width pair kComposedPair with its two bytes.
constexpr uint32_t kDoubleByte = 0x10000;
constexpr uint32_t kComposedPair = 0x20000;

constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// The Shift-JIS codes of the full-width forms of the ASCII characters 0x20 to 0x7E (the
// ideographic space for the space); ￥ (0x818F) stands for 0x5C as well as ＼.
constexpr uint16_t kFullWidthForms[] = {
    0x8140, 0x8149, 0xEEFC, 0x8194, 0x8190, 0x8193, 0x8195, 0xEEFB, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x815F, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,
};

// The same characters under their other codes: the IBM extensions' ＂ and ＇, and ￥.
struct CodeForm {
    uint16_t code;
    unsigned char ascii;
};
constexpr CodeForm kOtherFullWidthCodes[] = {{0xFA57, '"'}, {0xFA56, '\''}, {0x818F, '\\'}};

// The full-width forms of the half-width katakana 0xA1 to 0xDF: 。「」、・ヲァィゥェォャュョッー
// アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜
constexpr uint16_t kHalfWidthKanaForms[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A,
    0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360,
    0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374,
    0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};

bool IsHalfWidthKana(unsigned b) {
    return b >= 0xA1 && b <= 0xDF;
}

uint16_t HalfWidthKanaForm(unsigned b) {
    return kHalfWidthKanaForms[b - 0xA1];
}

// The code of the full-width character a composing pair stands for (ｶﾞ: ガ); 0 for ﾜﾞ and ｦﾞ,
// whose characters Shift-JIS does not have.
uint16_t ComposedCode(unsigned base, unsigned mark) {
    if (base == 0xB3) {
        return 0x8394;  // ヴ
    }
    if (base == 0xDC || base == 0xA6) {
        return 0;
    }
    // カ 834A, ガ 834B; ハ 836E, バ 836F, パ 8370
    return static_cast<uint16_t>(HalfWidthKanaForm(base) + (mark == kVoicedMark ? 1 : 2));
}

// The ASCII character whose full-width form the code is; 0 for none.
unsigned char AsciiForm(uint16_t code) {
    static const std::array<unsigned char, 0x10000> kByCode = [] {
        std::array<unsigned char, 0x10000> table{};
        for (size_t k = 0; k < std::size(kFullWidthForms); ++k) {
            table[kFullWidthForms[k]] = static_cast<unsigned char>(0x20 + k);
        }
        for (const CodeForm& other : kOtherFullWidthCodes) {
            table[other.code] = other.ascii;
        }
        return table;
    }();
    return kByCode[code];
}

uint32_t DoubleByteKey(uint16_t code, const MatchOptions& options) {
    if (options.ignoreWidth) {
        if (const unsigned char ascii = AsciiForm(code)) {
            return ascii;
        }
    }
    return kDoubleByte | code;
}

uint32_t FoldCase(uint32_t key) {
    if (key >= 'a' && key <= 'z') {
        return key - ('a' - 'A');
    }
    if (key >= (kDoubleByte | 0x8281) && key <= (kDoubleByte | 0x829A)) {
        return key - (0x8281 - 0x8260);  // ａ to Ａ
    }
    return key;
}

TextCharacter ReadUnfolded(std::string_view text, size_t at, const MatchOptions& options) {
    const auto first = static_cast<unsigned char>(text[at]);
    const bool hasNext = at + 1 < text.size();
    if (IsLeadByte(first) && hasNext) {
        const auto code =
            static_cast<uint16_t>(first << 8 | static_cast<unsigned char>(text[at + 1]));
        return {DoubleByteKey(code, options), 2};
    }
    if (!IsHalfWidthKana(first)) {
        return {first, 1};
    }
    const auto mark = hasNext ? static_cast<unsigned char>(text[at + 1]) : 0u;
    if (hasNext && ComposesWithMark(first, static_cast<unsigned char>(mark))) {
        const uint16_t composed = ComposedCode(first, mark);
        if (options.ignoreWidth && composed != 0) {
            return {kDoubleByte | composed, 2};
        }
        return {kComposedPair | uint32_t{first} << 8 | mark, 2};
    }
    return {options.ignoreWidth ? kDoubleByte | HalfWidthKanaForm(first) : first, 1};
}

}  // namespace

TextCharacter ReadCharacter(std::string_view text, size_t at, const MatchOptions& options) {
    TextCharacter character = ReadUnfolded(text, at, options);
    if (options.ignoreCase) {
        character.key = FoldCase(character.key);
    }
    return character;
}

CTextMatcher::CTextMatcher(const ReplacementTable& table)
    : m_table(table),
      m_bExact(!table.options.ignoreWidth && !table.options.ignoreCase),
      m_filter(table.options.part ? Filter::anyByte
               : m_bExact         ? Filter::lengthAndFirstByte
                                  : Filter::firstByte) {
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const std::string& before = table.rows[r].before;
        if (!IsUsed(r)) {
            continue;
        }
        m_bMatchesEmpty = m_bMatchesEmpty || before.empty();
        if (m_bExact && !before.empty()) {
            m_rowsByStartByte[Byte(before, 0)] |= static_cast<uint16_t>(1u << r);
            MarkStartPairs(before.substr(0, 2));
        }
        m_lengthAndFirstByteKeys |= LengthAndFirstByteKey(before);
        for (size_t at = 0; at < before.size();) {
            const TextCharacter character = ReadCharacter(before, at, table.options);
            m_beforeKeys[r].push_back(character.key);
            at += character.size;
        }
    }
    if (!m_bExact) {
        MarkStartBytes();
    }
}

// Without options a character starts with the byte the before text starts with. With them, a byte
// can start a wanted character alone, as the lead byte of a pair, or as a half-width katakana
// composed with a mark. A pair's key is its own code but for the lead bytes of full-width
// forms, which are tried one by one.
void CTextMatcher::MarkStartBytes() {
    const auto mark = [&](unsigned first, std::optional<unsigned> second) {
        const char bytes[2] = {static_cast<char>(first), static_cast<char>(second.value_or(0))};
        const std::string_view character(bytes, second ? 2 : 1);
        const TextCharacter read = ReadCharacter(character, 0, m_table.options);
        for (size_t r = 0; r < m_beforeKeys.size(); ++r) {
            if (read.size == character.size() && !m_beforeKeys[r].empty() &&
                m_beforeKeys[r].front() == read.key) {
                m_rowsByStartByte[first] |= static_cast<uint16_t>(1u << r);
                MarkStartPairs(character);
            }
        }
    };
    for (const std::vector<uint32_t>& keys : m_beforeKeys) {
        if (!keys.empty() && (keys.front() & ~uint32_t{0xFFFF}) == kDoubleByte) {
            mark((keys.front() >> 8) & 0xFF, keys.front() & 0xFF);
        }
    }
    for (unsigned first = 0; first < 256; ++first) {
        mark(first, std::nullopt);
    }
    for (const unsigned lead : {0x81u, 0x82u, 0xEEu, 0xFAu}) {
        for (unsigned second = 0; second < 256; ++second) {
            mark(lead, second);
        }
    }
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        mark(kana, kVoicedMark);
        mark(kana, kSemiVoicedMark);
    }
}

void CTextMatcher::MarkStartPairs(std::string_view start) {
    for (size_t second = 0; second < 256; ++second) {
        if (start.size() == 1 || Byte(start, 1) == second) {
            const size_t pair = Byte(start, 0) | second << 8;
            m_startPairs[pair >> 6] |= uint64_t{1} << (pair & 63);
        }
    }
}

bool CTextMatcher::IsUsed(size_t row) const {
    const ReplacementRow& cells = m_table.rows[row];
    return !cells.before.empty() || (!cells.after.empty() && !m_table.options.part);
}

bool CTextMatcher::Matches(size_t row, std::string_view text) const {
    if (!IsUsed(row)) {
        return false;
    }
    const std::vector<uint32_t>& wanted = m_beforeKeys[row];
    if (m_bExact) {
        // Texts of a before text's length mostly differ from it in their first byte: looking
        // there first saves calling memcmp.
        const std::string& before = m_table.rows[row].before;
        return before.size() == text.size() && (text.empty() || before[0] == text[0]) &&
               before == text;
    }
    size_t at = 0;
    for (const uint32_t key : wanted) {
        if (at == text.size()) {
            return false;
        }
        const TextCharacter character = ReadCharacter(text, at, m_table.options);
        if (character.key != key) {
            return false;
        }
        at += character.size;
    }
    return at == text.size();
}

void CTextMatcher::Cut(std::string_view text, Characters& characters) const {
    characters.keys.clear();
    characters.starts.clear();
    for (size_t at = 0; at < text.size();) {
        const TextCharacter character = ReadCharacter(text, at, m_table.options);
        characters.keys.push_back(character.key);
        characters.starts.push_back(at);
        at += character.size;
    }
    characters.starts.push_back(text.size());
}

size_t CTextMatcher::FindBefore(size_t row, const std::vector<uint32_t>& keys, size_t from) const {
    const std::vector<uint32_t>& wanted = m_beforeKeys[row];
    if (wanted.empty() || keys.size() < wanted.size()) {
        return std::string_view::npos;
    }
    const auto last = keys.end() - static_cast<ptrdiff_t>(wanted.size() - 1);
    for (auto at = keys.begin() + static_cast<ptrdiff_t>(std::min(from, keys.size())); at < last;
         ++at) {
        at = std::find(at, last, wanted.front());
        if (at != last && std::equal(wanted.begin() + 1, wanted.end(), at + 1)) {
            return static_cast<size_t>(at - keys.begin());
        }
    }
    return std::string_view::npos;
}

size_t CTextMatcher::FindBeforeBytes(size_t row, std::string_view text, size_t from) const {
    const std::string& before = m_table.rows[row].before;
    size_t boundary = from;
    for (size_t hit = text.find(before, from); hit != std::string_view::npos;
         hit = text.find(before, boundary)) {
        while (boundary < hit) {
            boundary += CharacterSize(text, boundary);
        }
        if (boundary == hit) {
            size_t end = hit;
            while (end < hit + before.size()) {
                end += CharacterSize(text, end);
            }
            if (end == hit + before.size()) {
                return hit;
            }
            boundary += CharacterSize(text, boundary);
        }
    }
    return std::string_view::npos;
}

unsigned CTextMatcher::RowsOccurring(std::string_view text, unsigned candidates,
                                     Characters& scratch) const {
    if (!m_bExact && candidates != 0) {
        Cut(text, scratch);
    }
    unsigned rows = 0;
    for (; candidates != 0; candidates &= candidates - 1) {
        const auto r = static_cast<size_t>(std::countr_zero(candidates));
        const size_t found =
            m_bExact ? FindBeforeBytes(r, text, 0) : FindBefore(r, scratch.keys, 0);
        rows |= found != std::string_view::npos ? 1u << r : 0u;
    }
    return rows;
}

void CTextMatcher::ReplaceParts(std::string_view text, PartReplacement& result) const {
    result.changed = false;
    result.multiLine = false;
    result.places.fill(0);
    if (m_bExact) {
        ReplaceBytes(text, result);
    } else {
        ReplaceCharacters(text, result);
    }
    if (!result.changed) {
        result.text.assign(text);
    }
}

// An occurrence ends on a character boundary, so the search goes on from there in the same text.
void CTextMatcher::ReplaceBytes(std::string_view text, PartReplacement& result) const {
    std::string_view current = text;
    unsigned candidates = CandidateRows(current);
    for (size_t r = 0; r < m_table.rows.size(); ++r) {
        const ReplacementRow& row = m_table.rows[r];
        size_t found =
            (candidates >> r & 1) == 0 ? std::string_view::npos : FindBeforeBytes(r, current, 0);
        if (found == std::string_view::npos) {
            continue;
        }
        std::string& replaced = result.spare;
        replaced.clear();
        size_t kept = 0;
        for (; found != std::string_view::npos; found = FindBeforeBytes(r, current, kept)) {
            replaced.append(current.substr(kept, found - kept)).append(row.after);
            kept = found + row.before.size();
            ++result.places[r];
        }
        replaced.append(current.substr(kept));
        result.text.swap(replaced);
        current = result.text;
        candidates = CandidateRows(current);
        result.changed = true;
        result.multiLine = result.multiLine || IsMultiLine(row.after);
    }
}

// A text is cut into characters again after every row that changed it: the after text may join
// with the bytes around it into other characters.
void CTextMatcher::ReplaceCharacters(std::string_view text, PartReplacement& result) const {
    Characters& characters = result.characters;
    std::string_view current = text;
    unsigned candidates = CandidateRows(current);
    if (candidates != 0) {
        Cut(current, characters);
    }
    for (size_t r = 0; r < m_table.rows.size(); ++r) {
        size_t found =
            (candidates >> r & 1) == 0 ? std::string_view::npos : FindBefore(r, characters.keys, 0);
        if (found == std::string_view::npos) {
            continue;
        }
        const std::string& after = m_table.rows[r].after;
        std::string& replaced = result.spare;
        replaced.clear();
        size_t kept = 0;  // the first character not yet taken over
        for (; found != std::string_view::npos; found = FindBefore(r, characters.keys, kept)) {
            const size_t from = characters.starts[kept];
            replaced.append(current.substr(from, characters.starts[found] - from)).append(after);
            kept = found + m_beforeKeys[r].size();
            ++result.places[r];
        }
        replaced.append(current.substr(characters.starts[kept]));
        result.text.swap(replaced);
        current = result.text;
        candidates = CandidateRows(current);
        Cut(current, characters);
        result.changed = true;
        result.multiLine = result.multiLine || IsMultiLine(after);
    }
}

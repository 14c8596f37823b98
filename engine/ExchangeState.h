#pragma once

#include <algorithm>
#include <string_view>

class FieldSplitter;

// The header state of an exchange file read so far: text sizes by text type, scales by layer
// group, and the current group and type.
struct ExchangeState {
    static constexpr int kTextTypeCount = 11;  // text types 0 to 10
    static constexpr int kGroupCount = 17;     // layer groups 0 to 16

    // No header has been read yet: every size and scale is 0, group 0 and text type 0 current.
    double textWidth[kTextTypeCount] = {};
    double textHeight[kTextTypeCount] = {};
    int groupScale[kGroupCount] = {};
    int currentGroup = 0;
    int currentTextType = 0;

    // Lookups at the current group and type. A group outside 0 to 16 ("Jww" gives 99999) draws
    // at scale 1; a text type outside 0 to 10 ("b" to "f" give 11 to 15) has no known size, 0.
    int CurrentScale() const;
    double CurrentTextWidth() const;
    double CurrentTextHeight() const;
};

enum class RecordKind {
    other,        // copied through unchanged
    hq,           // written as "hd"
    textWidths,   // "hcw", not written
    textHeights,  // "hch", not written
    groupScales,  // "hs", not written
    layerGroup,   // "lg", copied
    textType,     // "cn" not followed by a double quote, copied
    text,         // "ch", "cv", "cz", "c2"
};

// Both inline: the replacement pass classifies every line of the drawing.
inline bool IsTextRecord(std::string_view line) {
    if (line.size() < 2 || line[0] != 'c') {
        return false;
    }
    const char kind = line[1];
    return kind == 'h' || kind == 'v' || kind == 'z' || kind == '2';
}

inline RecordKind ClassifyRecord(std::string_view line) {
    if (line.size() < 2) {
        return RecordKind::other;
    }
    switch (line[0]) {
        case 'h':
            if (line == "hq") {
                return RecordKind::hq;
            }
            if (line.starts_with("hcw")) {
                return RecordKind::textWidths;
            }
            if (line.starts_with("hch")) {
                return RecordKind::textHeights;
            }
            return line[1] == 's' ? RecordKind::groupScales : RecordKind::other;
        case 'l':
            return line[1] == 'g' ? RecordKind::layerGroup : RecordKind::other;
        case 'c':
            if (line[1] == 'n') {
                return line.size() > 2 && line[2] == '"' ? RecordKind::other : RecordKind::textType;
            }
            return IsTextRecord(line) ? RecordKind::text : RecordKind::other;
        default:
            return RecordKind::other;
    }
}

// A text record cut at its double quotes: the header up to the first one (the whole line when
// there is none) and the text from there up to the next one or the end of the line.
struct TextRecordParts {
    std::string_view header;
    std::string_view text;
};

// findQuote(from) gives the position of the first double quote of the line at or after from,
// or the size of the line when there is none.
template <typename FindQuote>
TextRecordParts SplitTextRecordWith(std::string_view line, FindQuote findQuote) {
    const size_t quote = findQuote(0);
    if (quote == line.size()) {
        return {line, {}};
    }
    const size_t closing = findQuote(quote + 1);
    // quote < closing <= line.size(): the parts need no bounds checks.
    return {std::string_view(line.data(), quote),
            std::string_view(line.data() + quote + 1, closing - quote - 1)};
}

inline TextRecordParts SplitTextRecord(std::string_view line) {
    return SplitTextRecordWith(
        line, [line](size_t from) { return std::min(line.find('"', from), line.size()); });
}

// Takes the values of a header record ("hcw", "hch", "hs", "lg", "cn") into the state; other
// kinds change nothing.
void ApplyHeaderRecord(ExchangeState& state, RecordKind kind, std::string_view line,
                       FieldSplitter& splitter);
// The "lg" and "cn" records, which the pass meets on every few lines, each on its own: called
// from one switch, they would share one hard-to-predict jump.
void ApplyLayerGroup(ExchangeState& state, std::string_view line);
void ApplyTextType(ExchangeState& state, std::string_view line);

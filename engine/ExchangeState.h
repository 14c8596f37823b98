#pragma once

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

// A text record cut at its first double quote: the header before it (the whole line when there is
// none) and the text, every byte after it to the end of the line, further double quotes
// included.
struct TextRecordParts {
    std::string_view header;
    std::string_view text;
};

// quote: the position of the line's first double quote, or the size of the line for none.
inline TextRecordParts CutTextRecord(std::string_view line, size_t quote) {
    if (quote >= line.size()) {
        return {line, {}};
    }
    return {line.substr(0, quote), line.substr(quote + 1)};
}

inline TextRecordParts SplitTextRecord(std::string_view line) {
    return CutTextRecord(line, line.find('"'));
}

// Takes the values of a header record ("hcw", "hch", "hs", "lg", "cn") into the state; other
// kinds change nothing.
void ApplyHeaderRecord(ExchangeState& state, RecordKind kind, std::string_view line,
                       FieldSplitter& splitter);
// The "lg" and "cn" records, which the pass meets on every few lines, each on its own: called
// from one switch, they would share one hard-to-predict jump.
void ApplyLayerGroup(ExchangeState& state, std::string_view line);
void ApplyTextType(ExchangeState& state, std::string_view line);

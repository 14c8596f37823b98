#include "engine/ExchangeState.h"

#include "engine/FieldSplitter.h"

namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Reads fields 1 to count of a line cut at single spaces.
template <typename T, typename Parse>
void ReadValues(std::string_view line, FieldSplitter& splitter, T* values, int count, Parse parse) {
    splitter.Split(line, " ");
    for (int k = 0; k < count; ++k) {
        values[k] = static_cast<T>(parse(splitter.m_strItem[k + 1]));
    }
}

}  // namespace

int ExchangeState::CurrentScale() const {
    if (currentGroup < 0 || currentGroup >= kGroupCount) {
        return 1;
    }
    return groupScale[currentGroup];
}

double ExchangeState::CurrentTextWidth() const {
    if (currentTextType < 0 || currentTextType >= kTextTypeCount) {
        return 0.0;
    }
    return textWidth[currentTextType];
}

double ExchangeState::CurrentTextHeight() const {
    if (currentTextType < 0 || currentTextType >= kTextTypeCount) {
        return 0.0;
    }
    return textHeight[currentTextType];
}

bool IsTextRecord(std::string_view line) {
    const std::string_view code = line.substr(0, 2);
    return code == "ch" || code == "cv" || code == "cz" || code == "c2";
}

RecordKind ClassifyRecord(std::string_view line) {
    if (line.size() < 2) {
        return RecordKind::other;
    }
    if (line[0] == 'h') {
        if (line == "hq") {
            return RecordKind::hq;
        }
        if (StartsWith(line, "hcw")) {
            return RecordKind::textWidths;
        }
        if (StartsWith(line, "hch")) {
            return RecordKind::textHeights;
        }
        if (StartsWith(line, "hs")) {
            return RecordKind::groupScales;
        }
        return RecordKind::other;
    }
    if (StartsWith(line, "lg")) {
        return RecordKind::layerGroup;
    }
    if (StartsWith(line, "cn")) {
        return line.size() > 2 && line[2] == '"' ? RecordKind::other : RecordKind::textType;
    }
    return IsTextRecord(line) ? RecordKind::text : RecordKind::other;
}

void ApplyHeaderRecord(ExchangeState& state, RecordKind kind, std::string_view line,
                       FieldSplitter& splitter) {
    switch (kind) {
        case RecordKind::textWidths:
            ReadValues(line, splitter, state.textWidth + 1, 10, FieldSplitter::ParseDouble);
            break;
        case RecordKind::textHeights:
            ReadValues(line, splitter, state.textHeight + 1, 10, FieldSplitter::ParseDouble);
            break;
        case RecordKind::groupScales:
            ReadValues(line, splitter, state.groupScale, ExchangeState::kGroupCount,
                       FieldSplitter::ParseInt);
            break;
        case RecordKind::layerGroup:
            state.currentGroup =
                FieldSplitter::ParseInt(FieldSplitter::NormalizeGroupCode(line.substr(2)));
            break;
        case RecordKind::textType:
            state.currentTextType = FieldSplitter::ParseInt(line.substr(2));
            if (state.currentTextType == 0) {
                splitter.Split(line, " ");
                state.textWidth[0] = FieldSplitter::ParseDouble(splitter.m_strItem[1]);
                state.textHeight[0] = FieldSplitter::ParseDouble(splitter.m_strItem[2]);
            }
            break;
        default:
            break;
    }
}

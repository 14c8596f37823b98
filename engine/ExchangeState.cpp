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
    if (line.size() < 2 || line[0] != 'c') {
        return false;
    }
    const char kind = line[1];
    return kind == 'h' || kind == 'v' || kind == 'z' || kind == '2';
}

TextRecordParts SplitTextRecord(std::string_view line) {
    const size_t quote = line.find('"');
    if (quote == std::string_view::npos) {
        return {line, {}};
    }
    const std::string_view rest = line.substr(quote + 1);
    return {line.substr(0, quote), rest.substr(0, rest.find('"'))};
}

RecordKind ClassifyRecord(std::string_view line) {
    if (line.size() < 2) {
        return RecordKind::other;
    }
    switch (line[0]) {
        case 'h':
            if (line == "hq") {
                return RecordKind::hq;
            }
            if (StartsWith(line, "hcw")) {
                return RecordKind::textWidths;
            }
            if (StartsWith(line, "hch")) {
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

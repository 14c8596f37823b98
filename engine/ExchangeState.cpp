#include "engine/ExchangeState.h"

#include "engine/FieldSplitter.h"

namespace {

// Reads fields 1 to count of a line cut at single spaces.
template <typename T, typename Parse>
void ReadValues(std::string_view line, FieldSplitter& splitter, T* values, int count, Parse parse) {
    splitter.Split(line, " ");
    for (int k = 0; k < count; ++k) {
        values[k] = static_cast<T>(parse(splitter.m_strItem[k + 1]));
    }
}

// Field k of a line cut at single spaces, as FieldSplitter::Split gives it for k below 20.
std::string_view SpaceField(std::string_view line, int k) {
    for (; k > 0; --k) {
        const size_t space = line.find(' ');
        if (space == std::string_view::npos) {
            return {};
        }
        line.remove_prefix(space + 1);
    }
    return line.substr(0, line.find(' '));
}

// The code of a group or type record as parse reads it. Most codes are one digit or group
// letter, which every reading of a code takes as ParseInt does, and are read here directly.
template <typename Parse>
int ParseCode(std::string_view code, Parse parse) {
    if (code.size() != 1) {
        return parse(code);
    }
    return code[0] >= '0' && code[0] <= '9' ? code[0] - '0' : FieldSplitter::HexLetterValue(code);
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

void ApplyLayerGroup(ExchangeState& state, std::string_view line) {
    state.currentGroup = ParseCode(line.substr(2), [](std::string_view code) {
        return FieldSplitter::ParseInt(FieldSplitter::NormalizeGroupCode(code));
    });
}

void ApplyTextType(ExchangeState& state, std::string_view line) {
    state.currentTextType = ParseCode(line.substr(2), FieldSplitter::ParseInt);
    if (state.currentTextType == 0) {
        state.textWidth[0] = FieldSplitter::ParseDouble(SpaceField(line, 1));
        state.textHeight[0] = FieldSplitter::ParseDouble(SpaceField(line, 2));
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
            ApplyLayerGroup(state, line);
            break;
        case RecordKind::textType:
            ApplyTextType(state, line);
            break;
        default:
            break;
    }
}

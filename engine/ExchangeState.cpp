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

#include "engine/MultiLineLayout.h"

#include <cmath>

namespace {

// Every line of the after text; unlike Split, any number of them.
void SplitLines(std::string_view afterText, std::vector<std::string>& lines) {
    lines.clear();
    std::string_view rest = afterText;
    for (;;) {
        const size_t found = rest.find(kLineBreak);
        lines.emplace_back(rest.substr(0, found));
        if (found == std::string_view::npos) {
            return;
        }
        rest.remove_prefix(found + std::string_view(kLineBreak).size());
    }
}

}  // namespace

double PitchFactor(const std::string& runParameter) {
    return runParameter.size() > 2 ? FieldSplitter::ParseDouble(runParameter.substr(2)) : 0.0;
}

void ExpandMultiLine(CVosk1Doc& doc, FieldSplitter& splitter, std::string_view header,
                     std::string_view afterText, const ExchangeState& state, CTextWriter& output) {
    const double factor = PitchFactor(doc.m_strParam);
    splitter.Split(header, " ");
    for (int j = 0; j <= 4; ++j) {
        doc.m_strField[j] = splitter.m_strItem[j];
    }
    for (int j = 1; j <= 4; ++j) {
        doc.m_dValue[j] = FieldSplitter::ParseDouble(doc.m_strField[j]);
    }
    SplitLines(afterText, doc.m_strLine);
    const double scale = static_cast<double>(state.CurrentScale());
    const double heightPitch = (scale * state.CurrentTextHeight()) * factor;
    const double widthPitch = (scale * state.CurrentTextWidth()) * factor;
    const double length =
        std::sqrt(doc.m_dValue[4] * doc.m_dValue[4] + doc.m_dValue[3] * doc.m_dValue[3]);
    for (size_t k = 0; k < doc.m_strLine.size(); ++k) {
        output.WriteLine(doc.BuildLineRecord(k, heightPitch, widthPitch, length));
    }
}

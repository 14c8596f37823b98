#include "engine/ExchangeInput.h"

void CVosk1Doc::CollectTexts(CFileErrorSink& errors) {
    m_strPreview.clear();
    m_mapTextCounts.clear();
    ForEachDrawingText(errors, [&](std::string_view text) {
        m_strPreview += text;
        m_strPreview += "\r\n";
        ++m_mapTextCounts[std::string(text)];
    });
}

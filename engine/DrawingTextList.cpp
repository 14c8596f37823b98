#include "engine/ExchangeInput.h"
#include "engine/ExchangeState.h"
#include "engine/Vosk1Doc.h"

void CVosk1Doc::CollectTexts(FileErrorSink& errors) {
    m_strPreview.clear();
    ForEachInputLine(errors, [&](std::string_view line) {
        if (IsTextRecord(line)) {
            m_strPreview += SplitTextRecord(line).text;
            m_strPreview += "\r\n";
        }
    });
}

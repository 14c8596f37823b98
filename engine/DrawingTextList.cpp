#include "engine/ExchangeInput.h"
#include "engine/ExchangeState.h"
#include "engine/FieldSplitter.h"
#include "engine/Vosk1Doc.h"

void CVosk1Doc::CollectTexts(FileErrorSink& errors) {
    m_strPreview.clear();
    FieldSplitter splitter;
    ForEachInputLine(errors, [&](const std::string& line) {
        if (IsTextRecord(line)) {
            splitter.Split(line, "\"");
            m_strPreview += splitter.m_strItem[1];
            m_strPreview += "\r\n";
        }
    });
}

#include <algorithm>
#include <cstdint>

#include "engine/ExchangeInput.h"
#include "engine/ExchangeState.h"
#include "engine/FieldSplitter.h"
#include "engine/MultiLineLayout.h"
#include "engine/Vosk1Doc.h"

namespace {

// One run over the exchange file: header state, the pass's one splitter, the open files.
class ReplacementPass {
public:
    ReplacementPass(CVosk1Doc& doc, const ReplacementTable& table, CStdioFile& output)
        : m_doc(doc), m_table(table), m_output(output) {
        for (const ReplacementRow& row : table.rows) {
            m_beforeLengths |= LengthBit(row.before.size());
        }
    }

    // input has just read line.
    void HandleLine(std::string_view line, const CStdioFile& input);

private:
    void HandleTextRecord(std::string_view line, const CStdioFile& input);
    // Most texts match no row: their length alone tells, from one bit per length below 63 and
    // one bit for all longer ones.
    static uint64_t LengthBit(size_t length) { return uint64_t{1} << std::min<size_t>(length, 63); }

    CVosk1Doc& m_doc;
    const ReplacementTable& m_table;
    CStdioFile& m_output;
    FieldSplitter m_splitter;
    ExchangeState m_state;
    uint64_t m_beforeLengths = 0;
};

void ReplacementPass::HandleLine(std::string_view line, const CStdioFile& input) {
    const RecordKind kind = ClassifyRecord(line);
    switch (kind) {
        case RecordKind::hq:
            m_output.WriteLine("hd");
            return;
        case RecordKind::textWidths:
        case RecordKind::textHeights:
        case RecordKind::groupScales:
            ApplyHeaderRecord(m_state, kind, line, m_splitter);
            return;
        case RecordKind::layerGroup:
        case RecordKind::textType:
            ApplyHeaderRecord(m_state, kind, line, m_splitter);
            m_output.CopyLine(input);
            return;
        case RecordKind::text:
            HandleTextRecord(line, input);
            return;
        case RecordKind::other:
            m_output.CopyLine(input);
            return;
    }
}

// Rows are tried in order: a single-line row ends the search, a multi-line row writes its lines
// and lets later rows with the same before text add theirs.
void ReplacementPass::HandleTextRecord(std::string_view line, const CStdioFile& input) {
    const TextRecordParts record = SplitTextRecord(line);
    if ((m_beforeLengths & LengthBit(record.text.size())) == 0) {
        m_output.CopyLine(input);
        return;
    }
    bool consumed = false;
    for (const ReplacementRow& row : m_table.rows) {
        if (std::string_view(row.before) != record.text) {
            continue;
        }
        consumed = true;
        if (row.after.find(kLineBreak) != std::string::npos) {
            ExpandMultiLine(m_doc, m_splitter, record.header, row.after, m_state, m_output);
            continue;
        }
        if (!row.after.empty()) {
            m_output.WriteString(record.header);
            m_output.WriteString("\"");
            m_output.WriteLine(row.after);
        }
        return;
    }
    if (!consumed) {
        m_output.CopyLine(input);
    }
}

}  // namespace

void CVosk1Doc::RunReplacementPass(const ReplacementTable& table, FileErrorSink& errors) {
    CStdioFile output(kOutputFileName, CStdioFile::Mode::write);
    ReplacementPass pass(*this, table, output);
    ForEachInputLine(errors, [&](std::string_view line, const CStdioFile& input) {
        pass.HandleLine(line, input);
    });
    output.Close();
}

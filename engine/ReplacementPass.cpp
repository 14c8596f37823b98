#include <algorithm>
#include <bit>
#include <cstdint>

#include "base/ByteMask.h"
#include "base/FileSystem.h"
#include "engine/ExchangeInput.h"
#include "engine/ExchangeState.h"
#include "engine/FieldSplitter.h"
#include "engine/MultiLineLayout.h"
#include "engine/Vosk1Doc.h"

namespace {

// One run over the exchange file: header state, the pass's one splitter, the open files.
class CReplacementPass {
public:
    CReplacementPass(CVosk1Doc& doc, const ReplacementTable& table, CTextWriter& output)
        : m_doc(doc), m_table(table), m_output(output) {
        for (const ReplacementRow& row : table.rows) {
            m_beforeKeys |= KeyBit(row.before);
        }
    }

    // Lines that go out as they stand are written in runs, straight from the input's buffer.
    void HandleRun(std::string_view run);

private:
    // Whether the line goes out as it stands. Text records, most of a drawing, are decided here
    // and inline; header records that pass through are taken into the state.
    bool PassesThrough(std::string_view line) {
        if (!IsTextRecord(line)) {
            return OtherRecordPassesThrough(line);
        }
        const std::string_view text = TextOf(line);
        return (m_beforeKeys & KeyBit(text)) == 0 || !MatchesARow(text);
    }
    bool OtherRecordPassesThrough(std::string_view line);
    std::string_view TextOf(std::string_view line) const;
    bool MatchesARow(std::string_view text) const;
    void HandleLine(std::string_view line);
    void HandleTextRecord(std::string_view line);
    // Most texts match no row: their length and first byte tell, from one bit of 64 for each
    // such pair, which equal texts share.
    static uint64_t KeyBit(std::string_view text) {
        const size_t first = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
        return uint64_t{1} << ((text.size() + 7 * first) & 63);
    }

    CVosk1Doc& m_doc;
    const ReplacementTable& m_table;
    CTextWriter& m_output;
    FieldSplitter m_splitter;
    ExchangeState m_state;
    uint64_t m_beforeKeys = 0;
    std::string_view m_run;
};

void CReplacementPass::HandleRun(std::string_view run) {
    m_run = run;
    const char* unwritten = run.data();
    ForEachLine(run, [&](const TextLine& line) {
        if (line.EndsInCrLf() && PassesThrough(line.text)) {
            return;
        }
        m_output.WriteRaw({unwritten, static_cast<size_t>(line.text.data() - unwritten)});
        HandleLine(line.text);
        unwritten = line.Next();
    });
    m_output.WriteRaw({unwritten, static_cast<size_t>(run.data() + run.size() - unwritten)});
}

bool CReplacementPass::OtherRecordPassesThrough(std::string_view line) {
    const RecordKind kind = ClassifyRecord(line);
    switch (kind) {
        case RecordKind::other:
            return true;
        case RecordKind::layerGroup:
            ApplyLayerGroup(m_state, line);
            return true;
        case RecordKind::textType:
            ApplyTextType(m_state, line);
            return true;
        default:
            return false;
    }
}

// The text of a text record of the current run. A line of up to 64 bytes has its quotes found
// all at once, from a mask of the 64 bytes where it starts.
inline std::string_view CReplacementPass::TextOf(std::string_view line) const {
    if (line.size() > 64) {
        return SplitTextRecord(line).text;
    }
    const size_t start = static_cast<size_t>(line.data() - m_run.data());
    const size_t masked = std::min<size_t>(64, m_run.size() - start);
    const uint64_t quotes =
        ByteMask(line.data(), masked, '"') & (~uint64_t{0} >> (64 - line.size()));
    const auto findQuote = [&](size_t from) {
        const uint64_t later = from < 64 ? quotes >> from : 0;
        return later != 0 ? from + static_cast<size_t>(std::countr_zero(later)) : line.size();
    };
    return SplitTextRecordWith(line, findQuote).text;
}

// Texts of a before text's length mostly differ from it in their first byte: looking there
// first saves calling memcmp.
bool CReplacementPass::MatchesARow(std::string_view text) const {
    return std::any_of(m_table.rows.begin(), m_table.rows.end(), [text](const ReplacementRow& row) {
        return row.before.size() == text.size() && (text.empty() || row.before[0] == text[0]) &&
               row.before == text;
    });
}

void CReplacementPass::HandleLine(std::string_view line) {
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
            m_output.WriteLine(line);
            return;
        case RecordKind::text:
            HandleTextRecord(line);
            return;
        case RecordKind::other:
            m_output.WriteLine(line);
            return;
    }
}

void CReplacementPass::HandleTextRecord(std::string_view line) {
    const TextRecordParts record = SplitTextRecord(line);
    bool matched = false;
    ForEachApplyingRow(m_table, record.text, [&](const ReplacementRow& row) {
        matched = true;
        if (IsMultiLine(row.after)) {
            ExpandMultiLine(m_doc, m_splitter, record.header, row.after, m_state, m_output);
        } else if (!row.after.empty()) {
            m_output.WriteString(record.header);
            m_output.WriteString("\"");
            m_output.WriteLine(row.after);
        }
    });
    if (!matched) {
        m_output.WriteLine(line);
    }
}

}  // namespace

void CVosk1Doc::RunReplacementPass(const ReplacementTable& table) {
    try {
        CTextWriter output(kOutputFileName);
        CReplacementPass pass(*this, table, output);
        ReadInputRuns([&](std::string_view run) { pass.HandleRun(run); });
        output.Close();
    } catch (...) {
        // Whatever ended the pass (a file error, no memory), the host would take an earlier
        // result for this run's.
        RemoveFile(kOutputFileName);
        throw;
    }
}

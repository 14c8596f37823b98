#include <algorithm>
#include <bit>
#include <cstdint>

#include "base/ByteMask.h"
#include "base/FileSystem.h"
#include "engine/ExchangeInput.h"
#include "engine/ExchangeState.h"
#include "engine/FieldSplitter.h"
#include "engine/MultiLineLayout.h"
#include "engine/TextMatcher.h"
#include "engine/Vosk1Doc.h"

namespace {

// One run over the exchange file: header state, the pass's one splitter, the open files.
class CReplacementPass {
public:
    CReplacementPass(CVosk1Doc& doc, const ReplacementTable& table, CTextWriter& output)
        : m_doc(doc), m_matcher(table), m_output(output) {}

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
        return !m_matcher.MayMatch(text) || !MayChange(text);
    }
    bool OtherRecordPassesThrough(std::string_view line);
    std::string_view TextOf(std::string_view line) const;
    bool MayChange(std::string_view text) const;
    void HandleLine(std::string_view line);
    void HandleTextRecord(std::string_view line);
    void ReplaceWholeText(std::string_view line, const TextRecordParts& record);
    void ReplaceParts(std::string_view line, const TextRecordParts& record);
    void WriteRecord(std::string_view header, std::string_view text);

    CVosk1Doc& m_doc;
    CTextMatcher m_matcher;
    CTextWriter& m_output;
    FieldSplitter m_splitter;
    ExchangeState m_state;
    std::string_view m_run;
    CTextMatcher::PartReplacement m_parts;
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

// The text of a text record of the current run. A line of up to 64 bytes has its quote found
// from a mask of the 64 bytes where it starts.
inline std::string_view CReplacementPass::TextOf(std::string_view line) const {
    if (line.size() > 64) {
        return SplitTextRecord(line).text;
    }
    const size_t start = static_cast<size_t>(line.data() - m_run.data());
    const size_t masked = std::min<size_t>(64, m_run.size() - start);
    const uint64_t quotes =
        ByteMask(line.data(), masked, '"') & (~uint64_t{0} >> (64 - line.size()));
    const size_t quote = quotes != 0 ? static_cast<size_t>(std::countr_zero(quotes)) : line.size();
    return CutTextRecord(line, quote).text;
}

// Part matching decides as it replaces.
bool CReplacementPass::MayChange(std::string_view text) const {
    if (m_matcher.PartMatching()) {
        return true;
    }
    for (size_t r = 0; r < ReplacementTable::kRowCount; ++r) {
        if (m_matcher.Matches(r, text)) {
            return true;
        }
    }
    return false;
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
    if (m_matcher.PartMatching()) {
        ReplaceParts(line, record);
    } else {
        ReplaceWholeText(line, record);
    }
}

void CReplacementPass::ReplaceWholeText(std::string_view line, const TextRecordParts& record) {
    bool matched = false;
    ForEachApplyingRow(m_matcher, record.text, [&](const ReplacementRow& row) {
        matched = true;
        if (IsMultiLine(row.after)) {
            ExpandMultiLine(m_doc, m_splitter, record.header, row.after, m_state, m_output);
        } else if (!row.after.empty()) {
            WriteRecord(record.header, row.after);
        }
    });
    if (!matched) {
        m_output.WriteLine(line);
    }
}

// The text as the rows left it: unchanged, the line as read; empty, no record; changed by a row
// with "//", laid out as a multi-line replacement; otherwise one record.
void CReplacementPass::ReplaceParts(std::string_view line, const TextRecordParts& record) {
    m_matcher.ReplaceParts(record.text, m_parts);
    if (!m_parts.changed) {
        m_output.WriteLine(line);
    } else if (m_parts.text.empty()) {
        return;
    } else if (m_parts.multiLine) {
        ExpandMultiLine(m_doc, m_splitter, record.header, m_parts.text, m_state, m_output);
    } else {
        WriteRecord(record.header, m_parts.text);
    }
}

void CReplacementPass::WriteRecord(std::string_view header, std::string_view text) {
    m_output.WriteString(header);
    m_output.WriteString("\"");
    m_output.WriteLine(text);
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

#include "engine/Vosk1Doc.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/RecordingErrorSink.h"

// Input: table-file lines (the eleventh, if any, is the run parameter), a NUL byte, then the
// drawing; without a NUL the whole input is the drawing.
namespace {

std::string_view Field(std::string_view header, int index) {
    for (int k = 0; k < index; ++k) {
        header = CutAt(header, " ").second;
    }
    return CutAt(header, " ").first;
}

// The layout's x and y are left to the engine's tests.
std::string WithoutPosition(std::string_view record) {
    const auto [kind, rest] = CutAt(record, " ");
    return std::string(kind) + " " + std::string(CutAt(CutAt(rest, " ").second, " ").second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool inScratchDirectory = EnterScratchDirectory();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto [tableText, drawing] = input.find('\0') == std::string_view::npos
                                          ? std::pair<std::string_view, std::string_view>{"", input}
                                          : CutAt(input, std::string_view("\0", 1));
    const std::vector<std::string> tableLines = TextModeLines(tableText);
    ReplacementTable table;
    for (size_t r = 0; r < table.rows.size() && r < tableLines.size(); ++r) {
        table.rows[r] = RowFromLine(tableLines[r]);
    }
    std::ofstream("temp.txt", std::ios::binary) << drawing;
    CVosk1Doc doc;
    doc.OnNewDocument(tableLines.size() > table.rows.size() ? tableLines[table.rows.size()] : "");
    doc.RunReplacementPass(table);

    // Header records are dropped, "hq" becomes "hd", other records are copied. A text record is
    // laid out for each matching multi-line row up to the first matching one-line row, which
    // replaces it, or removes it when its after text is empty. The text is all after the first
    // double quote; a wholly empty row matches nothing.
    std::vector<std::pair<bool, std::string>> expected;  // (laid out, line)
    std::string preview;
    ReplacementCounts counts;  // of what the model did, each text once in the totals
    for (const std::string& line : TextModeLines(drawing)) {
        const std::string_view kind = std::string_view(line).substr(0, 2);
        if (kind != "ch" && kind != "cv" && kind != "cz" && kind != "c2") {
            if (!line.starts_with("hcw") && !line.starts_with("hch") && kind != "hs") {
                expected.emplace_back(false, line == "hq" ? "hd" : line);
            }
            continue;
        }
        const auto [header, text] = CutAt(line, "\"");
        preview.append(text).append("\r\n");
        bool matched = false;
        bool laidOut = false;
        for (const ReplacementRow& row : table.rows) {
            if (row.before != text || (row.before.empty() && row.after.empty())) {
                continue;
            }
            matched = true;
            ++counts.rows[static_cast<size_t>(&row - table.rows.data())].applied;
            if (row.after.find("//") == std::string::npos) {
                if (!row.after.empty()) {
                    expected.emplace_back(false, std::string(header) + "\"" + row.after);
                }
                ++(laidOut ? counts.laidOut : row.after.empty() ? counts.removed : counts.replaced);
                laidOut = false;
                break;
            }
            laidOut = true;
            const std::string kept = std::string(Field(header, 0)) + " " +
                                     std::string(Field(header, 3)) + " " +
                                     std::string(Field(header, 4)) + " \"";
            std::string_view pieces = row.after;
            for (bool more = true; more; pieces = CutAt(pieces, "//").second) {
                more = pieces.find("//") != std::string_view::npos;
                expected.emplace_back(true, kept + std::string(CutAt(pieces, "//").first));
            }
        }
        counts.laidOut += laidOut ? 1 : 0;
        if (!matched) {
            expected.emplace_back(false, line);
        }
    }

    // Each line ends in CR LF.
    const std::string output = ReadBytes("jwc_temp.txt");
    std::string_view rest = output;
    for (const auto& [laidOut, line] : expected) {
        const auto [written, next] = CutAt(rest, "\r\n");
        assert(written.size() < rest.size());
        assert((laidOut ? WithoutPosition(written) : std::string(written)) == line);
        rest = next;
    }
    assert(rest.empty());
    CRecordingErrorSink errors;
    doc.CollectTexts(errors);
    assert(doc.m_strPreview == preview && errors.errors.empty());
    // The counts the form and --preview show are what the pass did.
    const ReplacementCounts found = CountReplacements(table, doc.m_mapTextCounts);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        assert(found.rows[r].applied == counts.rows[r].applied);
    }
    assert(found.replaced == counts.replaced && found.removed == counts.removed &&
           found.laidOut == counts.laidOut);
    return 0;
}

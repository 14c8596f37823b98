#include <tuple>

#include "engine/Vosk1Doc.h"
#include "fuzz/FuzzSupport.h"
#include "tests/common/RecordingErrorSink.h"

// Input: table-file lines (the eleventh, if any, is the run parameter), a NUL byte, then the
// drawing; without a NUL the whole input is the drawing and the table is empty.
// The output must hold, line by line and each line ending CR LF, the drawing's lines with the
// header records dropped, "hq" as "hd" and every text record copied, replaced or laid out as
// the matching rows say; the layout's x and y are left to the engine's tests.
namespace {

std::string_view Field(std::string_view header, int index) {
    for (int k = 0; k < index; ++k) {
        header = CutAt(header, " ").second;
    }
    return CutAt(header, " ").first;
}

// A laid-out record without its x and y, the fields that the layout computes.
std::string WithoutPosition(std::string_view record) {
    const auto [kind, rest] = CutAt(record, " ");
    return std::string(kind) + " " + std::string(CutAt(CutAt(rest, " ").second, " ").second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool inScratchDirectory = EnterScratchDirectory();
    std::string_view tableText, drawing = AsText(data, size);
    if (drawing.find('\0') != std::string_view::npos) {
        std::tie(tableText, drawing) = CutAt(drawing, std::string_view("\0", 1));
    }
    const std::vector<std::string> tableLines = TextModeLines(tableText);
    ReplacementTable table;
    for (size_t r = 0; r < table.rows.size() && r < tableLines.size(); ++r) {
        table.rows[r] = RowFromLine(tableLines[r]);
    }
    WriteBytes("temp.txt", drawing);
    CVosk1Doc doc;
    doc.OnNewDocument(tableLines.size() > table.rows.size() ? tableLines[table.rows.size()] : "");
    RecordingErrorSink errors;
    doc.RunReplacementPass(table, errors);

    std::vector<std::pair<bool, std::string>> expected;  // (laid out, line)
    std::string preview;
    for (const std::string& line : TextModeLines(drawing)) {
        const std::string_view kind = std::string_view(line).substr(0, 2);
        if (kind != "ch" && kind != "cv" && kind != "cz" && kind != "c2") {
            if (!line.starts_with("hcw") && !line.starts_with("hch") && kind != "hs") {
                expected.emplace_back(false, line == "hq" ? "hd" : line);
            }
            continue;
        }
        const std::string_view header = CutAt(line, "\"").first;
        const std::string_view text = CutAt(CutAt(line, "\"").second, "\"").first;
        preview.append(text).append("\r\n");
        bool consumed = false;
        for (const ReplacementRow& row : table.rows) {
            if (row.before != text) {
                continue;
            }
            consumed = true;
            if (row.after.find("//") == std::string::npos) {
                if (!row.after.empty()) {
                    expected.emplace_back(false, std::string(header) + "\"" + row.after);
                }
                break;
            }
            const std::string kept = std::string(Field(header, 0)) + " " +
                                     std::string(Field(header, 3)) + " " +
                                     std::string(Field(header, 4)) + " \"";
            std::string_view pieces = row.after;
            for (bool more = true; more; pieces = CutAt(pieces, "//").second) {
                more = pieces.find("//") != std::string_view::npos;
                expected.emplace_back(true, kept + std::string(CutAt(pieces, "//").first));
            }
        }
        if (!consumed) {
            expected.emplace_back(false, line);
        }
    }

    const std::string output = ReadBytes("jwc_temp.txt");
    std::string_view rest = output;
    for (const auto& [laidOut, line] : expected) {
        const auto [written, next] = CutAt(rest, "\r\n");
        FUZZ_CHECK(written.size() < rest.size());
        FUZZ_CHECK((laidOut ? WithoutPosition(written) : std::string(written)) == line);
        rest = next;
    }
    FUZZ_CHECK(rest.empty());

    doc.CollectTexts(errors);
    FUZZ_CHECK(doc.m_strPreview == preview && errors.errors.empty());
    return 0;
}

#include <cstdio>
#include <tuple>

#include "engine/Vosk1Doc.h"
#include "fuzz/FuzzSupport.h"

// Input: table-file lines (the eleventh, if any, is the run parameter), a NUL byte, then the
// drawing; without a NUL the whole input is the drawing and the table is empty.
// The output must hold, line by line and each line ending CR LF, the drawing's lines with the
// header records dropped, "hq" as "hd" and every text record copied, replaced or laid out as
// the matching rows say; the multi-line layout's coordinates are left to the engine's tests.
namespace {

class FailOnFileError : public FileErrorSink {
public:
    void ReportFileError(const CFileException& error) override {
        std::fprintf(stderr, "file error: %s\n", error.m_strFileName.c_str());
        FuzzCheckFailed("no file error", __FILE__, __LINE__);
    }
};

// One line the pass must write: the exact text, or a laid-out record of which everything but
// the rewritten x and y is known.
struct ExpectedLine {
    bool laidOut = false;
    std::string text;  // the whole line, or the laid-out record's text
    std::string kind, dx, dy;
};

std::string_view Field(std::string_view header, int index) {
    for (int k = 0; k < index; ++k) {
        header = CutAt(header, " ").second;
    }
    return CutAt(header, " ").first;
}

bool IsTextRecord(std::string_view line) {
    return line.starts_with("ch") || line.starts_with("cv") || line.starts_with("cz") ||
           line.starts_with("c2");
}

// The text of a text record: after its first double quote, up to the next one.
std::string_view RecordText(std::string_view line) {
    return CutAt(CutAt(line, "\"").second, "\"").first;
}

void ExpectTextRecord(std::string_view line, const ReplacementTable& table,
                      std::vector<ExpectedLine>& expected) {
    const std::string_view header = CutAt(line, "\"").first;
    const std::string_view text = RecordText(line);
    bool consumed = false;
    for (const ReplacementRow& row : table.rows) {
        if (row.before != text) {
            continue;
        }
        consumed = true;
        if (row.after.find("//") != std::string::npos) {
            std::string_view rest = row.after;
            for (bool more = true; more;) {
                more = rest.find("//") != std::string_view::npos;
                const auto [piece, next] = CutAt(rest, "//");
                expected.push_back({true, std::string(piece), std::string(Field(header, 0)),
                                    std::string(Field(header, 3)), std::string(Field(header, 4))});
                rest = next;
            }
            continue;
        }
        if (!row.after.empty()) {
            expected.push_back({false, std::string(header) + "\"" + row.after, {}, {}, {}});
        }
        break;
    }
    if (!consumed) {
        expected.push_back({false, std::string(line), {}, {}, {}});
    }
}

bool Matches(const std::string& line, const ExpectedLine& expected) {
    if (!expected.laidOut) {
        return line == expected.text;
    }
    std::string_view rest = line;
    // kind, x, y, dx and dy hold no space; the text may.
    std::string_view fields[5];
    for (std::string_view& field : fields) {
        std::tie(field, rest) = CutAt(rest, " ");
    }
    return fields[0] == expected.kind && !fields[1].empty() && !fields[2].empty() &&
           fields[3] == expected.dx && fields[4] == expected.dy && rest == "\"" + expected.text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = AsText(data, size);
    const bool hasTable = input.find('\0') != std::string_view::npos;
    const auto [tableText, drawing] =
        hasTable ? CutAt(input, std::string_view("\0", 1))
                 : std::pair<std::string_view, std::string_view>{{}, input};
    const std::vector<std::string> tableLines = TextModeLines(tableText);
    ReplacementTable table;
    for (size_t r = 0; r < table.rows.size() && r < tableLines.size(); ++r) {
        table.rows[r] = RowFromLine(tableLines[r]);
    }

    WriteBytes("temp.txt", drawing);
    CVosk1Doc doc;
    doc.OnNewDocument(tableLines.size() > table.rows.size() ? tableLines[table.rows.size()] : "");
    FailOnFileError errors;
    doc.RunReplacementPass(table, errors);
    const std::string output = ReadBytes("jwc_temp.txt");

    std::vector<ExpectedLine> expected;
    std::string preview;
    const std::vector<std::string> lines = TextModeLines(drawing);
    for (const std::string& line : lines) {
        if (IsTextRecord(line)) {
            ExpectTextRecord(line, table, expected);
            preview.append(RecordText(line)).append("\r\n");
        } else if (line == "hq") {
            expected.push_back({false, "hd", {}, {}, {}});
        } else if (!line.starts_with("hcw") && !line.starts_with("hch") &&
                   !line.starts_with("hs")) {
            expected.push_back({false, line, {}, {}, {}});
        }
    }

    FUZZ_CHECK(output.empty() || output.ends_with('\n'));
    std::string_view rest = output;
    for (const ExpectedLine& line : expected) {
        const auto [written, next] = CutAt(rest, "\n");
        FUZZ_CHECK(written.size() < rest.size() && written.ends_with('\r'));
        FUZZ_CHECK(Matches(std::string(written.substr(0, written.size() - 1)), line));
        rest = next;
    }
    FUZZ_CHECK(rest.empty());

    doc.CollectTexts(errors);
    FUZZ_CHECK(doc.m_strPreview == preview);
    return 0;
}

#include <iconv.h>

#include "engine/Vosk1Doc.h"
#include "fuzz/FuzzSupport.h"

// Input: table-file lines (the eleventh, if any, is the run parameter; bits 0, 1 and 2 of the
// twelfth line's first byte set part matching, width and case ignored), a NUL byte, then the
// drawing; without a NUL the whole input is the drawing.
namespace {

// A model of the match options of its own: characters decoded by glibc's code page 932 and
// compared as Unicode where an option makes forms equal, as bytes everywhere else.
char32_t Decode(std::string_view bytes) {
    static const iconv_t converter = iconv_open("UTF-32LE", "CP932");
    char32_t decoded[2] = {};
    char* in = const_cast<char*>(bytes.data());
    char* out = reinterpret_cast<char*>(decoded);
    size_t inLeft = bytes.size(), outLeft = sizeof decoded;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const bool one = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) &&
                     outLeft == sizeof(char32_t);
    return one ? decoded[0] : 0;
}

// The full-width forms of U+FF61 to U+FF9F.
constexpr std::u32string_view kKanaForms =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    U"マミムメモヤユヨラリルレロワン゛゜";

// The full-width kana that take ﾞ and what they make with it; the same for ﾟ.
constexpr std::pair<std::u32string_view, std::u32string_view> kVoiced = {
    U"カキクケコサシスセソタチツテトハヒフヘホウワヲ",
    U"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴヷヺ"};
constexpr std::pair<std::u32string_view, std::u32string_view> kSemiVoiced = {U"ハヒフヘホ",
                                                                             U"パピプペポ"};

// The character a half-width katakana and a following ﾞ or ﾟ compose into, or 0.
char32_t Composed(std::string_view pair) {
    const char32_t base = Decode(pair.substr(0, 1));
    const char32_t mark = pair.size() == 2 ? Decode(pair.substr(1)) : 0;
    if (base < 0xFF61 || base > 0xFF9F || (mark != 0xFF9E && mark != 0xFF9F)) {
        return 0;
    }
    const auto [takes, makes] = mark == 0xFF9E ? kVoiced : kSemiVoiced;
    const size_t at = takes.find(kKanaForms[base - 0xFF61]);
    return at == std::u32string_view::npos ? 0 : makes[at];
}

struct ModelCharacter {
    std::string bytes;
    std::string key;

    bool operator==(const ModelCharacter& other) const { return key == other.key; }
};

std::string KeyOf(std::string_view bytes, const MatchOptions& options) {
    const char32_t composed = Composed(bytes);
    char32_t c = bytes.size() == 2 && composed != 0 ? composed : Decode(bytes);
    if (options.ignoreWidth) {
        c = c >= 0xFF01 && c <= 0xFF5E   ? c - 0xFEE0
            : c == 0x3000                ? U' '
            : c == 0xFFE5                ? U'\\'
            : c >= 0xFF61 && c <= 0xFF9F ? kKanaForms[c - 0xFF61]
                                         : c;
    }
    if (options.ignoreCase && ((c >= U'a' && c <= U'z') || (c >= 0xFF41 && c <= 0xFF5A))) {
        c -= 0x20;
    }
    // The kana and their marks have one code each: as Unicode they compare as their bytes do.
    const bool widthForm = c < 0x80 || (c >= 0x3000 && c <= 0x30FF);
    const bool caseForm = c >= 0xFF21 && c <= 0xFF3A;
    if (c != 0 && ((options.ignoreWidth && widthForm) || (options.ignoreCase && caseForm) ||
                   (options.ignoreCase && c < 0x80 && bytes.size() == 1))) {
        return std::to_string(c).insert(0, 1, 'U');
    }
    return std::string(bytes).insert(0, 1, 'B');
}

std::vector<ModelCharacter> Characters(std::string_view text, const MatchOptions& options) {
    std::vector<ModelCharacter> characters;
    for (size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        const bool pair = at + 1 < text.size() && (lead || Composed(text.substr(at, 2)) != 0);
        const std::string_view bytes = text.substr(at, pair ? 2 : 1);
        characters.push_back({std::string(bytes), KeyOf(bytes, options)});
        at += bytes.size();
    }
    return characters;
}

bool WholeMatch(const ReplacementRow& row, std::string_view text, const MatchOptions& options) {
    return (!row.before.empty() || !row.after.empty()) &&
           Characters(text, options) == Characters(row.before, options);
}

// Every occurrence of the row's before text replaced, left to right; the count of them.
size_t ReplaceModel(const ReplacementRow& row, std::string& text, const MatchOptions& options) {
    const auto characters = Characters(text, options);
    const auto wanted = Characters(row.before, options);
    std::string replaced;
    size_t places = 0;
    for (size_t at = 0; at < characters.size();) {
        if (!wanted.empty() && at + wanted.size() <= characters.size() &&
            std::equal(wanted.begin(), wanted.end(),
                       characters.begin() + static_cast<ptrdiff_t>(at))) {
            replaced += row.after;
            at += wanted.size();
            ++places;
        } else {
            replaced += characters[at++].bytes;
        }
    }
    text = replaced;  // the same bytes when nothing was replaced
    return places;
}

std::string_view Field(std::string_view header, int index) {
    for (int k = 0; k < index; ++k) {
        header = CutAt(header, " ").second;
    }
    return CutAt(header, " ").first;
}

// The drawing was read whole once: reading it again for the text list reports nothing.
class CNoErrorSink : public CFileErrorSink {
    void ReportFileError(const CFileException&) override { assert(false); }
};

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
    if (tableLines.size() > table.rows.size() + 1 && !tableLines[table.rows.size() + 1].empty()) {
        const auto bits = static_cast<unsigned char>(tableLines[table.rows.size() + 1][0]);
        table.options = {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
    }
    const MatchOptions& options = table.options;
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
        const std::string_view header = CutAt(line, "\"").first;
        const std::string_view text = CutAt(line, "\"").second;
        preview.append(text).append("\r\n");
        const auto layOut = [&](std::string_view lines) {
            const std::string kept = std::string(Field(header, 0)) + " " +
                                     std::string(Field(header, 3)) + " " +
                                     std::string(Field(header, 4)) + " \"";
            for (bool more = true; more; lines = CutAt(lines, "//").second) {
                more = lines.find("//") != std::string_view::npos;
                expected.emplace_back(true, kept + std::string(CutAt(lines, "//").first));
            }
        };
        // With part matching every row acts on what the rows before it left, and the result is
        // laid out when a multi-line row acted.
        std::string result(text);
        bool matched = false;
        bool multiLine = false;
        bool stays = options.part;  // the record keeps a text of its own, unless it is empty
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const ReplacementRow& row = table.rows[r];
            const size_t places = options.part ? ReplaceModel(row, result, options)
                                  : WholeMatch(row, text, options) ? 1
                                                                   : 0;
            if (places == 0) {
                continue;
            }
            matched = true;
            multiLine = multiLine || IsMultiLine(row.after);
            ++counts.rows[r].applied;
            counts.rows[r].places += options.part ? places : 0;
            if (!options.part && IsMultiLine(row.after)) {
                layOut(row.after);
            } else if (!options.part) {
                result = row.after;
                stays = true;
                break;
            }
        }
        if (!matched) {
            expected.emplace_back(false, line);
            continue;
        }
        // A text left empty is removed, unless whole-text rows have laid it out already.
        const bool laidOut = multiLine && (!options.part || !result.empty());
        ++(laidOut ? counts.laidOut : result.empty() ? counts.removed : counts.replaced);
        if (options.part && laidOut) {
            layOut(result);
        } else if (stays && !result.empty()) {
            expected.emplace_back(false, std::string(header) + "\"" + result);
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
    CNoErrorSink errors;
    doc.CollectTexts(errors);
    assert(doc.m_strPreview == preview);
    // The counts the form and --preview show are what the pass did.
    ReplacementCounts found = CountReplacements(table, doc.m_mapTextCounts);
    for (RowCount& row : found.rows) {
        row.matched = 0;  // not modelled
    }
    assert(found == counts);
    return 0;
}

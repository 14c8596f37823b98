#include <iconv.h>

#include "engine/Vosk1Doc.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/RecordingErrorSink.h"

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
    size_t inLeft = bytes.size();
    size_t outLeft = sizeof decoded;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const bool one = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) &&
                     outLeft == sizeof(char32_t);
    return one ? decoded[0] : 0;
}

// The full-width forms of U+FF61 to U+FF9F.
constexpr std::u32string_view kKanaForms =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    U"マミムメモヤユヨラリルレロワン゛゜";

// The character a half-width katakana and a following ﾞ or ﾟ compose into, or 0.
char32_t Composed(std::string_view pair) {
    const char32_t base = Decode(pair.substr(0, 1));
    const char32_t mark = pair.size() == 2 ? Decode(pair.substr(1)) : 0;
    if (base < 0xFF61 || base > 0xFF9D || (mark != 0xFF9E && mark != 0xFF9F)) {
        return 0;
    }
    const char32_t form = kKanaForms[base - 0xFF61];
    const bool plain =
        std::u32string_view(U"カキクケコサシスセソタチツテトハヒフヘホ").find(form) !=
        std::u32string_view::npos;
    if (mark == 0xFF9F) {
        return std::u32string_view(U"ハヒフヘホ").find(form) != std::u32string_view::npos ? form + 2
                                                                                          : 0;
    }
    return plain           ? form + 1
           : form == U'ウ' ? U'ヴ'
           : form == U'ワ' ? U'ヷ'
           : form == U'ヲ' ? U'ヺ'
                           : 0;
}

struct ModelCharacter {
    std::string bytes;
    std::string key;

    bool operator==(const ModelCharacter& other) const { return key == other.key; }
};

std::string KeyOf(std::string_view bytes, const MatchOptions& options) {
    const auto unicode = [](char32_t c) { return std::to_string(c).insert(0, 1, 'U'); };
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
        return unicode(c);
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

bool SameKeys(const std::vector<ModelCharacter>& text, size_t at,
              const std::vector<ModelCharacter>& wanted) {
    return at + wanted.size() <= text.size() &&
           std::equal(wanted.begin(), wanted.end(), text.begin() + static_cast<ptrdiff_t>(at));
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
        if (!wanted.empty() && SameKeys(characters, at, wanted)) {
            replaced += row.after;
            at += wanted.size();
            ++places;
        } else {
            replaced += characters[at++].bytes;
        }
    }
    if (places != 0) {
        text = replaced;
    }
    return places;
}

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
        if (options.part) {
            std::string replaced(text);
            bool changed = false;
            bool multiLine = false;
            for (size_t r = 0; r < table.rows.size(); ++r) {
                const size_t places = ReplaceModel(table.rows[r], replaced, options);
                counts.rows[r].applied += places != 0 ? 1 : 0;
                counts.rows[r].places += places;
                changed = changed || places != 0;
                multiLine = multiLine || (places != 0 && IsMultiLine(table.rows[r].after));
            }
            if (!changed) {
                expected.emplace_back(false, line);
            } else if (replaced.empty()) {
                ++counts.removed;
            } else if (multiLine) {
                layOut(replaced);
                ++counts.laidOut;
            } else {
                expected.emplace_back(false, std::string(header) + "\"" + replaced);
                ++counts.replaced;
            }
            continue;
        }
        bool matched = false;
        bool laidOut = false;
        for (const ReplacementRow& row : table.rows) {
            if (!WholeMatch(row, text, options)) {
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
            layOut(row.after);
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
        assert(found.rows[r].applied == counts.rows[r].applied &&
               found.rows[r].places == counts.rows[r].places);
    }
    assert(found.replaced == counts.replaced && found.removed == counts.removed &&
           found.laidOut == counts.laidOut);
    return 0;
}

#include <set>

#include "base/FileException.h"
#include "fuzz/FuzzSupport.h"
#include "tables/SettingsFiles.h"

// The input as a table file and as "Vosk.ini": what is read must be what a text-mode reader
// gives line by line, and what is written must be the rows, or the path, as they are.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool inScratchDirectory = EnterScratchDirectory();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = TextModeLines(input);
    const std::string firstLine = lines.empty() ? "" : lines[0];
    std::ofstream("Vosk.ini", std::ios::binary) << input;
    std::ofstream("in.mse", std::ios::binary) << input;
    assert(ReadPointerFile() == firstLine);

    ReplacementTable table;
    table.rows.fill({"old", "old"});
    FieldSplitter splitter;
    // An eleventh line "#options" takes the words match=, width= and case= with their two values
    // each, once each; any other word leaves the table as it was.
    const std::string optionsLine =
        lines.size() > 10 && lines[10].starts_with("#options") ? lines[10].substr(8) : "";
    MatchOptions options;
    std::set<std::string_view> names;
    bool good = true;
    for (std::string_view rest = optionsLine; !rest.empty(); rest = CutAt(rest, " ").second) {
        const std::string_view word = CutAt(rest, " ").first;
        const bool twice = !word.empty() && !names.insert(CutAt(word, "=").first).second;
        good = good && !twice &&
               (word.empty() || word == "match=whole" || word == "width=exact" ||
                word == "case=exact" || word == "match=part" || word == "width=ignore" ||
                word == "case=ignore");
        options.part = options.part || word == "match=part";
        options.ignoreWidth = options.ignoreWidth || word == "width=ignore";
        options.ignoreCase = options.ignoreCase || word == "case=ignore";
    }
    try {
        ReadTableFile("in.mse", table, splitter);
        assert(good && table.options == options);
    } catch (const CFileException& error) {
        assert(!good && error.m_cause == CFileException::Cause::badFormat);
        assert(table.rows[0] == ReplacementRow({"old", "old"}));
        return 0;
    }
    std::string written;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const ReplacementRow& row = table.rows[r];
        assert(row == (r < lines.size() ? RowFromLine(lines[r]) : ReplacementRow()));
        written += row.before + " ---> " + row.after + "\r\n";
    }
    WriteTableFile("out.mse", table);
    const std::string out = ReadBytes("out.mse");
    assert(out.starts_with(written));
    ReplacementTable again;
    ReadTableFile("out.mse", again, splitter);
    assert(again.options == options && (options.IsDefault() == (out == written)));

    WritePointerFile(firstLine);
    assert(ReadBytes("Vosk.ini") == firstLine);
    return 0;
}

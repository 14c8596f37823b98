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
    ReadTableFile("in.mse", table, splitter);
    std::string written;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const ReplacementRow& row = table.rows[r];
        assert(row == (r < lines.size() ? RowFromLine(lines[r]) : ReplacementRow()));
        written += row.before + " ---> " + row.after + "\r\n";
    }
    WriteTableFile("out.mse", table);
    assert(ReadBytes("out.mse") == written);

    WritePointerFile(firstLine);
    assert(ReadBytes("Vosk.ini") == firstLine);
    return 0;
}

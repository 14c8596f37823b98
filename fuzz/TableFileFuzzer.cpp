#include "editor/SettingsFiles.h"
#include "fuzz/FuzzSupport.h"

// The input as a table file and as "Vosk.ini": what is read must be what a text-mode reader
// gives line by line, and what is written must read back as it was.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = AsText(data, size);
    const std::vector<std::string> lines = TextModeLines(input);
    WriteBytes(kPointerFileName, input);
    WriteBytes("in.mse", input);

    FUZZ_CHECK(ReadPointerFile() == (lines.empty() ? std::string() : lines[0]));

    ReplacementTable table;
    for (ReplacementRow& row : table.rows) {
        row = {"old", "old"};
    }
    FieldSplitter splitter;
    ReadTableFile("in.mse", table, splitter);
    std::string written;
    bool readsBack = true;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const ReplacementRow& row = table.rows[r];
        FUZZ_CHECK(row == (r < lines.size() ? RowFromLine(lines[r]) : ReplacementRow()));
        const std::string line = row.before + kTableSeparator + row.after;
        written += line + "\r\n";
        // A text that runs into the separator, or holds a second one, is cut elsewhere.
        readsBack = readsBack && RowFromLine(line) == row;
    }

    WriteTableFile("out.mse", table);
    FUZZ_CHECK(ReadBytes("out.mse") == written);
    ReplacementTable reread;
    ReadTableFile("out.mse", reread, splitter);
    FUZZ_CHECK(reread == table || !readsBack);

    WritePointerFile(lines.empty() ? std::string() : lines[0]);
    FUZZ_CHECK(ReadBytes(kPointerFileName) == (lines.empty() ? std::string() : lines[0]));
    return 0;
}

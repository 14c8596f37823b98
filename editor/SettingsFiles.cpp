#include "editor/SettingsFiles.h"

#include "base/FileSystem.h"
#include "base/TextReader.h"
#include "base/TextWriter.h"

namespace {
// The longest path Windows takes is 32,767 characters, of up to two bytes each in Shift-JIS.
constexpr size_t kMaxPathBytes = 2 * 32767;
}  // namespace

std::string ReadPointerFile() {
    CTextReader file(kPointerFileName);
    file.LimitLineLength(kMaxPathBytes);
    std::string path;
    file.ReadString(path);
    file.Close();
    return path;
}

void WritePointerFile(const std::string& tablePath) {
    CTextWriter file(ResolveLinks(kPointerFileName));
    file.WriteString(tablePath);
    file.Close();
}

void ReadTableFile(const std::string& path, ReplacementTable& table, FieldSplitter& splitter) {
    CTextReader file(path);
    std::string line;
    for (ReplacementRow& row : table.rows) {
        file.ReadString(line);
        splitter.Split(line, kTableSeparator);
        row.before = splitter.m_strItem[0];
        row.after = splitter.m_strItem[1];
    }
    file.Close();
}

void WriteTableFile(const std::string& path, const ReplacementTable& table) {
    CTextWriter file(ResolveLinks(path));
    for (const ReplacementRow& row : table.rows) {
        file.WriteString(row.before);
        file.WriteString(kTableSeparator);
        file.WriteLine(row.after);
    }
    file.Close();
}

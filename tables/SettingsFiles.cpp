#include "tables/SettingsFiles.h"

#include <cerrno>
#include <string_view>

#include "base/FileSystem.h"
#include "base/TextReader.h"
#include "base/TextWriter.h"

namespace {

// The longest path Windows takes, of up to two bytes a character in Shift-JIS.
constexpr size_t kMaxPathCharacters = 32767;

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) {
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2u : 1u;
    }
    return count;
}

}  // namespace

std::string ReadPointerFile() {
    CTextReader file(kPointerFileName);
    file.LimitLineLength(2 * kMaxPathCharacters);
    std::string path;
    file.ReadString(path);
    file.Close();
    if (CharacterCount(path) > kMaxPathCharacters) {
        throw CFileException(CFileException::Cause::badPath, CFileException::Operation::read,
                             FullPath(kPointerFileName), ENAMETOOLONG);
    }
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

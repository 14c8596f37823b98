#include "tables/SettingsFiles.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string_view>

#include "base/FileSystem.h"
#include "base/TextReader.h"
#include "base/TextWriter.h"

namespace {

// The longest path Windows takes, of up to two bytes a character in Shift-JIS.
constexpr size_t kMaxPathCharacters = 32767;

constexpr std::string_view kOptionsLineStart = "#options";
constexpr size_t kOptionsLine = ReplacementTable::kRowCount + 1;

// A match option as the options line spells it: name=value, the value that sets it.
struct OptionWord {
    std::string_view name;
    std::string_view defaultValue;
    std::string_view setValue;
    bool MatchOptions::*flag;
};
constexpr OptionWord kOptionWords[] = {
    {"match", "whole", "part", &MatchOptions::part},
    {"width", "exact", "ignore", &MatchOptions::ignoreWidth},
    {"case", "exact", "ignore", &MatchOptions::ignoreCase},
};

// The words of "#options word word ...", each setting an option at most once.
MatchOptions ParseOptionsLine(std::string_view line, const std::string& path) {
    MatchOptions options;
    bool seen[std::size(kOptionWords)] = {};
    std::string_view rest = line.substr(kOptionsLineStart.size());
    while (!rest.empty()) {
        const size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view word = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (word.empty()) {
            continue;
        }
        const size_t equals = std::min(word.find('='), word.size());
        const std::string_view name = word.substr(0, equals);
        const std::string_view value = word.substr(std::min(equals + 1, word.size()));
        const auto known =
            std::find_if(std::begin(kOptionWords), std::end(kOptionWords),
                         [name](const OptionWord& option) { return option.name == name; });
        const size_t index = static_cast<size_t>(known - std::begin(kOptionWords));
        if (known == std::end(kOptionWords) || equals == word.size() || seen[index] ||
            (value != known->defaultValue && value != known->setValue)) {
            CFileException error(CFileException::Cause::badFormat, CFileException::Operation::read,
                                 FullPath(path));
            error.m_nLine = kOptionsLine;
            error.m_strDetail = word;
            throw error;
        }
        seen[index] = true;
        options.*known->flag = value == known->setValue;
    }
    return options;
}

std::string OptionsLine(const MatchOptions& options) {
    std::string line(kOptionsLineStart);
    for (const OptionWord& option : kOptionWords) {
        if (options.*option.flag) {
            line.append(" ").append(option.name).append("=").append(option.setValue);
        }
    }
    return line;
}

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
    file.LimitSize(kMaxTableBytes);
    ReplacementTable read = table;
    std::string line;
    try {
        for (ReplacementRow& row : read.rows) {
            file.ReadString(line);
            splitter.Split(line, kTableSeparator);
            row.before = splitter.m_strItem[0];
            row.after = splitter.m_strItem[1];
        }
        read.options = file.ReadString(line) && line.starts_with(kOptionsLineStart)
                           ? ParseOptionsLine(line, path)
                           : MatchOptions{};
        file.Close();
    } catch (const CFileException& error) {
        if (error.m_cause != CFileException::Cause::badFormat) {
            table.rows = read.rows;
        }
        throw;
    }
    table = std::move(read);
}

void WriteTableFile(const std::string& path, const ReplacementTable& table) {
    CTextWriter file(ResolveLinks(path));
    for (const ReplacementRow& row : table.rows) {
        file.WriteString(row.before);
        file.WriteString(kTableSeparator);
        file.WriteLine(row.after);
    }
    if (!table.options.IsDefault()) {
        file.WriteLine(OptionsLine(table.options));
    }
    file.Close();
}

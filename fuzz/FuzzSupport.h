#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ReplacementTable.h"

// The targets check with assert in every build; libFuzzer keeps an input that fails one.
#undef NDEBUG
#include <cassert>

// (text before the first separator, text after it); (text, "") when there is none.
inline std::pair<std::string_view, std::string_view> CutAt(std::string_view text,
                                                           std::string_view separator) {
    const size_t found = std::min(text.find(separator), text.size());
    return {text.substr(0, found), text.substr(std::min(found + separator.size(), text.size()))};
}

// The lines a text-mode reader gives: cut at LF, a CR before the LF dropped, nothing read from a
// byte 0x1A on.
inline std::vector<std::string> TextModeLines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (bytes = CutAt(bytes, "\x1A").first; !bytes.empty(); bytes = CutAt(bytes, "\n").second) {
        std::string_view line = CutAt(bytes, "\n").first;
        if (line.size() < bytes.size() && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
    }
    return lines;
}

// A table-file line as the loader reads it: cut at the first " ---> ", the after text ending at
// a second one.
inline ReplacementRow RowFromLine(std::string_view line) {
    const auto [before, rest] = CutAt(line, " ---> ");
    return {std::string(before), std::string(CutAt(rest, " ---> ").first)};
}

// The targets that write files run in a temporary directory of their own, removed at exit.
inline bool EnterScratchDirectory() {
    static const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("vosk1-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
    return std::atexit([] { std::filesystem::remove_all(directory); }) == 0;
}

inline std::string ReadBytes(const char* name) {
    std::ifstream file(name, std::ios::binary);
    assert(file.good());
    return {std::istreambuf_iterator<char>(file), {}};
}

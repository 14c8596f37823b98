#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ReplacementTable.h"

// Ends the run naming the condition when an invariant does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    ((condition)                                                                               \
         ? void()                                                                              \
         : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition), \
            std::abort()))

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// (text before the first separator, text after it); (text, "") when there is none.
inline std::pair<std::string_view, std::string_view> CutAt(std::string_view text,
                                                           std::string_view separator) {
    const size_t found = text.find(separator);
    if (found == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, found), text.substr(found + separator.size())};
}

// The lines a text-mode reader gives for these bytes: cut at LF, one CR before the LF dropped,
// nothing read from a byte 0x1A on.
inline std::vector<std::string> TextModeLines(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        auto [line, rest] = CutAt(bytes, "\n");
        if (line.size() < bytes.size() && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        bytes = rest;
    }
    return lines;
}

// A table-file line as the loader reads it: cut at the first " ---> ", the after text ending at
// a second one.
inline ReplacementRow RowFromLine(std::string_view line) {
    const auto [before, rest] = CutAt(line, " ---> ");
    return {std::string(before), std::string(CutAt(rest, " ---> ").first)};
}

// Makes a new directory below the temporary directory current for the rest of the run.
inline bool EnterScratchDirectory() {
    static std::filesystem::path directory;
    std::string pattern = (std::filesystem::temp_directory_path() / "vosk1-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    directory = pattern;
    std::filesystem::current_path(directory);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    });
    return true;
}

inline void WriteBytes(const std::string& name, std::string_view bytes) {
    std::ofstream file(name, std::ios::binary);
    FUZZ_CHECK(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).good());
}

inline std::string ReadBytes(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    FUZZ_CHECK(file.good());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

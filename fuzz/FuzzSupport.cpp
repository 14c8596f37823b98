#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
std::filesystem::path g_scratchDirectory;
}

void FuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

std::pair<std::string_view, std::string_view> CutAt(std::string_view text,
                                                    std::string_view separator) {
    const size_t found = text.find(separator);
    if (found == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, found), text.substr(found + separator.size())};
}

std::vector<std::string> TextModeLines(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const size_t lineFeed = bytes.find('\n');
        std::string_view line = bytes.substr(0, lineFeed);
        if (lineFeed != std::string_view::npos && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        bytes =
            lineFeed == std::string_view::npos ? std::string_view() : bytes.substr(lineFeed + 1);
    }
    return lines;
}

ReplacementRow RowFromLine(std::string_view line) {
    const auto [before, rest] = CutAt(line, " ---> ");
    return {std::string(before), std::string(CutAt(rest, " ---> ").first)};
}

void EnterScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vosk1-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        FuzzCheckFailed("mkdtemp", __FILE__, __LINE__);
    }
    g_scratchDirectory = pattern;
    std::filesystem::current_path(g_scratchDirectory);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(g_scratchDirectory, ignored);
    });
}

void WriteBytes(const std::string& name, std::string_view bytes) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(file.good());
}

std::string ReadBytes(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    FUZZ_CHECK(file.good());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline constexpr char kDir[] = "<dir>";

// Every entry below dir by its path from there in UTF-8 with "/": a file's bytes, kDir, or "-> "
// and the target of a symbolic link.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const std::u8string name = entry.path().lexically_relative(dir).generic_u8string();
        entries[{name.begin(), name.end()}] =
            entry.is_symlink()     ? "-> " + std::filesystem::read_symlink(entry).string()
            : entry.is_directory() ? kDir
                                   : ReadFile(entry.path());
    }
    return entries;
}

// Where two byte strings differ, short enough to read when they are megabytes; "" if they do not.
inline std::string Difference(std::string_view seen, std::string_view expected) {
    if (seen == expected) {
        return "";
    }
    const size_t at = static_cast<size_t>(
        std::mismatch(seen.begin(), seen.end(), expected.begin(), expected.end()).first -
        seen.begin());
    return "byte " + std::to_string(at) + ": \"" + std::string(seen.substr(at, 40)) +
           "\" instead of \"" + std::string(expected.substr(at, 40)) + "\"";
}

// The same for each entry of two snapshots.
inline std::string Difference(const std::map<std::string, std::string>& seen,
                              const std::map<std::string, std::string>& expected) {
    std::string differences;
    for (const auto& [name, bytes] : seen) {
        differences += expected.contains(name) ? "" : name + ": not expected\n";
    }
    for (const auto& [name, bytes] : expected) {
        const std::string difference =
            seen.contains(name) ? Difference(seen.at(name), bytes) : "missing";
        differences += difference.empty() ? "" : name + ": " + difference + "\n";
    }
    return differences;
}

// A test that runs in an empty directory of its own, made current for the test's length.
class ScratchDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_previous = std::filesystem::current_path();
        // Test programs of several builds may run at once: each process has a folder of its own.
        m_directory = std::filesystem::temp_directory_path() / "vosk1-tests" /
                      std::to_string(CurrentProcessId()) /
                      (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
        std::filesystem::current_path(m_directory);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_directory);
        std::error_code notEmpty;
        std::filesystem::remove(m_directory.parent_path(), notEmpty);
    }

    const std::filesystem::path& Directory() const { return m_directory; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_directory;
};

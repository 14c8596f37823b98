#pragma once

#include <map>
#include <string>

#include "tests/common/BatchRun.h"
#include "tests/common/ScratchDirectory.h"

// A scratch directory that a test can take pictures of, to tell that a failure wrote nothing it
// should not and lost nothing that was there.
class FaultTest : public ScratchDirectoryTest {
protected:
    // Every entry below the scratch directory: a file's bytes, a link's target, or "<dir>".
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Directory())) {
            const std::string name = entry.path().lexically_relative(Directory()).string();
            if (entry.is_symlink()) {
                entries[name] = "-> " + std::filesystem::read_symlink(entry.path()).string();
            } else if (entry.is_directory()) {
                entries[name] = "<dir>";
            } else {
                entries[name] = ReadFile(entry.path());
            }
        }
        return entries;
    }

    // The file-system path of a name that the program holds as Shift-JIS bytes.
    static std::filesystem::path NativePath(const std::string& shiftJis, const char8_t* utf8) {
#ifdef _WIN32
        static_cast<void>(shiftJis);
        return std::filesystem::path(utf8);
#else
        static_cast<void>(utf8);
        return std::filesystem::path(shiftJis);
#endif
    }
};

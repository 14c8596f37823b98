#pragma once

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/BatchCommand.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/SizeLimit.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

inline constexpr char kNone[] = "<none>";
inline constexpr char kDrawing[] =
    "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\nch 0 0 1 0 \"A\nln 0 0 1 1\n";

// vosk1-batch run in a directory holding a drawing, a table, "Vosk.ini" naming it and an earlier
// output, after the given entries have been put in place: a file's bytes, kDir, "-> " and the
// target of a symbolic link, "=> " and the target of a hard link, or kNone.
struct BatchCase {
    std::vector<std::pair<std::filesystem::path, std::string>> entries = {};
    std::vector<std::string> arguments = {};
    FileFault fault = {};        // met by the files it reads and writes
    bool killedAtLimit = false;  // the process dies where it would write past the fault's limit
    int status = 0;
    // All it prints to standard error, after "vosk1-batch: " and before "\n".
    std::string error = "";
    std::optional<std::string> output = {};  // "jwc_temp.txt" afterwards, or kNone; none: unchanged
    std::string out = "";                    // all it prints to standard output
};

// The output of the drawing every case starts with, its text replaced by "B//C" whose second line
// is at y.
inline std::string Replaced(const char* y) {
    return "cn1\r\nch 0 0 1 0 \"B\r\nch 0 " + std::string(y) + " 1 0 \"C\r\nln 0 0 1 1\r\n";
}

struct BatchRun {
    int status;
    std::string out, err;
};

// What was written to file, which it closes.
inline std::string Printed(std::FILE* file) {
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

// vosk1-batch run in this process, with what it printed.
inline BatchRun RunBatch(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunBatchCommand(arguments, out, err);
    return {status, Printed(out), Printed(err)};
}

// What bad usage prints after its reason.
inline std::string Usage() {
    const std::string help = RunBatch({"--help"}).out;
    return std::string("\n").append(help, 0, help.size() - 1);
}

class BatchRunTest : public ScratchDirectoryTest {
protected:
    std::string InFull(const std::string& name) const { return (Directory() / name).string(); }

    void Check(const std::vector<BatchCase>& cases) const {
        for (const BatchCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "case " << &c - cases.data() + 1);
            for (const auto& entry : std::filesystem::directory_iterator(Directory())) {
                std::filesystem::remove_all(entry.path());
            }
            WriteFile("temp.txt", kDrawing);
            WriteFile("t.mse", "A ---> B//C\r\n");
            WriteFile("Vosk.ini", "t.mse");
            WriteFile("jwc_temp.txt", "previous result");
            for (const auto& [path, what] : c.entries) {
                std::filesystem::remove_all(path);
                if (what == kDir) {
                    std::filesystem::create_directories(path);
                } else if (what.starts_with("-> ")) {
                    std::filesystem::create_symlink(what.substr(3), path);
                } else if (what.starts_with("=> ")) {
                    std::filesystem::create_hard_link(what.substr(3), path);
                } else if (what != kNone) {
                    WriteFile(path, what);
                }
            }
            auto expected = Snapshot(Directory());
            if (c.output == kNone) {
                expected.erase("jwc_temp.txt");
            } else if (c.output) {
                expected["jwc_temp.txt"] = *c.output;
            }
            const CInjectedFault fault(c.killedAtLimit ? FileFault{} : c.fault);
            const BatchRun result = Run(c);
            EXPECT_EQ(result.status, c.status);
            EXPECT_EQ(result.err, c.error.empty() ? "" : "vosk1-batch: " + c.error + "\n");
            EXPECT_TRUE(result.out == c.out);  // not printed: it may be megabytes
            auto found = Snapshot(Directory());
            // A killed run leaves its unfinished output under a name the host never reads.
            EXPECT_EQ(std::erase_if(
                          found, [](const auto& entry) { return entry.first.ends_with(".tmp"); }),
                      c.killedAtLimit ? 1u : 0u);
            EXPECT_EQ(Difference(found, expected), "");
        }
    }

private:
    // Under the limit, the write that crosses it kills the process, as a user or a crash might.
    static BatchRun Run(const BatchCase& c) {
#ifndef _WIN32
        if (c.killedAtLimit) {
            const pid_t child = fork();
            if (child == 0) {
                const CSizeLimit limit(c.fault.limit);
                std::signal(SIGXFSZ, SIG_DFL);
                RunBatch(c.arguments);
                _exit(0);
            }
            int status = 0;
            waitpid(child, &status, 0);
            return {WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), "", ""};
        }
#endif
        return RunBatch(c.arguments);
    }
};

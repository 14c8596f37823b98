#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/BatchCommand.h"

// What vosk1-batch, run in this process, returned and printed.
struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

// Everything written to a temporary file; closes it.
inline std::string PrintedTo(std::FILE* file) {
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

inline BatchRun RunBatch(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunBatchCommand(arguments, out, err);
    return {status, PrintedTo(out), PrintedTo(err)};
}

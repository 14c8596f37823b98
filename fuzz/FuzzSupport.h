#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ReplacementTable.h"

// Ends the run naming the condition when an invariant does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : FuzzCheckFailed(#condition, __FILE__, __LINE__))

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// (text before the first separator, text after it); (text, "") when there is none.
std::pair<std::string_view, std::string_view> CutAt(std::string_view text,
                                                    std::string_view separator);

// The lines a text-mode reader gives for these bytes: cut at LF, one CR before the LF dropped,
// nothing read from a byte 0x1A on.
std::vector<std::string> TextModeLines(std::string_view bytes);

// A table-file line as the loader reads it: cut at the first " ---> ", the after text ending at
// a second one.
ReplacementRow RowFromLine(std::string_view line);

// Makes a new directory below the temporary directory current for the rest of the run.
void EnterScratchDirectory();

void WriteBytes(const std::string& name, std::string_view bytes);
std::string ReadBytes(const std::string& name);

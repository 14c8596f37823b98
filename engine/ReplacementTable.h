#pragma once

#include <array>
#include <string>
#include <string_view>

struct ReplacementRow {
    std::string before;
    std::string after;  // "//" separates the lines of a multi-line replacement

    bool operator==(const ReplacementRow&) const = default;
};

// How a row's before text is compared with a text. The defaults compare whole texts byte for
// byte.
struct MatchOptions {
    bool part = false;         // the before text may occur anywhere in the text, every time
    bool ignoreWidth = false;  // full-width and half-width forms are equal
    bool ignoreCase = false;   // A-Z equal a-z, and so do their full-width forms

    bool IsDefault() const { return *this == MatchOptions{}; }
    bool operator==(const MatchOptions&) const = default;
};

// Rows 1 to 10 are rows[0] to rows[9]; row 1 is the top row of the form.
struct ReplacementTable {
    static constexpr int kRowCount = 10;
    std::array<ReplacementRow, kRowCount> rows;
    MatchOptions options;

    bool operator==(const ReplacementTable&) const = default;
};

inline constexpr char kLineBreak[] = "//";

inline bool IsMultiLine(std::string_view after) {
    return after.find(kLineBreak) != std::string_view::npos;
}

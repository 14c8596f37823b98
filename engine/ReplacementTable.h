#pragma once

#include <array>
#include <string>

struct ReplacementRow {
    std::string before;
    std::string after;  // "//" separates the lines of a multi-line replacement

    bool operator==(const ReplacementRow&) const = default;
};

// Rows 1 to 10 are rows[0] to rows[9]; row 1 is the top row of the form.
struct ReplacementTable {
    static constexpr int kRowCount = 10;
    std::array<ReplacementRow, kRowCount> rows;

    bool operator==(const ReplacementTable&) const = default;
};

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>

#include "engine/ReplacementTable.h"

// The drawing's texts: each text and the number of its records.
using TextCounts = std::unordered_map<std::string, size_t>;

struct RowCount {
    size_t matched = 0;  // records whose text the before text matches
    size_t applied = 0;  // those the row acts on: none when earlier rows leave it nothing to act on
    size_t places = 0;   // with part matching, the occurrences the row replaces in those records

    bool operator==(const RowCount&) const = default;
};

// What the pass will do with the drawing's texts, row by row and in all. A text that a multi-line
// row lays out counts as laid out whatever later rows add; the others as replaced or removed (with
// part matching, removed when the rows leave it empty).
struct ReplacementCounts {
    std::array<RowCount, ReplacementTable::kRowCount> rows;
    size_t replaced = 0;
    size_t removed = 0;
    size_t laidOut = 0;

    bool operator==(const ReplacementCounts&) const = default;
};

class CTextMatcher;

// Adds what the pass will do with `records` records of one text.
void CountText(const CTextMatcher& matcher, std::string_view text, size_t records,
               ReplacementCounts& counts);
ReplacementCounts CountReplacements(const ReplacementTable& table, const TextCounts& texts);

enum class RowAction { emptyRow, none, shadowed, replace, remove, layOut };

// What the row does to the texts it counts; an empty row (both texts empty) is unused.
RowAction ActionOf(const ReplacementRow& row, const RowCount& count);

// The lines of a multi-line after text.
size_t LineCount(std::string_view after);

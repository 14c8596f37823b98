#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/ReplacementTable.h"

// A table whose first rows are the given (before, after) pairs; the other rows stay empty.
inline ReplacementTable MakeTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    ReplacementTable table;
    for (size_t r = 0; r < rows.size(); ++r) {
        table.rows.at(r) = {rows[r].first, rows[r].second};
    }
    return table;
}

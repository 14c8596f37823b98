#include "engine/ReplacementCounts.h"

#include <algorithm>

ReplacementCounts CountReplacements(const ReplacementTable& table, const TextCounts& texts) {
    ReplacementCounts counts;
    const auto& rows = table.rows;
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto found = texts.find(rows[r].before);
        const size_t records = found == texts.end() ? 0 : found->second;
        counts.rows[r].matched = records;
        const auto sameText = [&](const ReplacementRow& row) {
            return row.before == rows[r].before;
        };
        // Each text is walked once, at the first row that names it.
        if (records == 0 || std::any_of(rows.begin(), rows.begin() + r, sameText)) {
            continue;
        }
        bool laidOut = false;
        bool removed = false;
        ForEachApplyingRow(table, rows[r].before, [&](const ReplacementRow& row) {
            counts.rows[static_cast<size_t>(&row - rows.data())].applied += records;
            laidOut = laidOut || IsMultiLine(row.after);
            removed = row.after.empty();
        });
        (laidOut ? counts.laidOut : removed ? counts.removed : counts.replaced) += records;
    }
    return counts;
}

RowAction ActionOf(const ReplacementRow& row, const RowCount& count) {
    if (row.before.empty() && row.after.empty()) {
        return RowAction::emptyRow;
    }
    if (count.applied == 0) {
        return count.matched == 0 ? RowAction::none : RowAction::shadowed;
    }
    if (IsMultiLine(row.after)) {
        return RowAction::layOut;
    }
    return row.after.empty() ? RowAction::remove : RowAction::replace;
}

size_t LineCount(std::string_view after) {
    size_t lines = 1;
    for (size_t at = after.find(kLineBreak); at != std::string_view::npos;
         at = after.find(kLineBreak, at + 2)) {
        ++lines;
    }
    return lines;
}

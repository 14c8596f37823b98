#include "engine/ReplacementCounts.h"

#include "engine/TextMatcher.h"

namespace {

void AddTotal(bool laidOut, bool removed, size_t records, ReplacementCounts& counts) {
    (laidOut ? counts.laidOut : removed ? counts.removed : counts.replaced) += records;
}

void CountWholeText(const CTextMatcher& matcher, std::string_view text, size_t records,
                    ReplacementCounts& counts) {
    const auto& rows = matcher.Table().rows;
    for (size_t r = 0; r < rows.size(); ++r) {
        counts.rows[r].matched += matcher.Matches(r, text) ? records : 0;
    }
    bool applied = false;
    bool laidOut = false;
    bool removed = false;
    ForEachApplyingRow(matcher, text, [&](const ReplacementRow& row) {
        counts.rows[static_cast<size_t>(&row - rows.data())].applied += records;
        applied = true;
        laidOut = laidOut || IsMultiLine(row.after);
        removed = row.after.empty();
    });
    if (applied) {
        AddTotal(laidOut, removed, records, counts);
    }
}

void CountParts(const CTextMatcher& matcher, std::string_view text, size_t records,
                ReplacementCounts& counts) {
    thread_local CTextMatcher::PartReplacement parts;
    matcher.ReplaceParts(text, parts);
    const unsigned occurring =
        matcher.RowsOccurring(text, matcher.CandidateRows(text), parts.characters);
    for (size_t r = 0; r < counts.rows.size(); ++r) {
        RowCount& count = counts.rows[r];
        count.matched += (occurring >> r & 1) != 0 ? records : 0;
        count.applied += parts.places[r] != 0 ? records : 0;
        count.places += parts.places[r] * records;
    }
    // A text the rows leave empty is removed, even after a row made it several lines.
    if (parts.changed) {
        AddTotal(parts.multiLine && !parts.text.empty(), parts.text.empty(), records, counts);
    }
}

}  // namespace

void CountText(const CTextMatcher& matcher, std::string_view text, size_t records,
               ReplacementCounts& counts) {
    if (!matcher.MayMatch(text)) {
        return;
    }
    if (matcher.PartMatching()) {
        CountParts(matcher, text, records, counts);
    } else {
        CountWholeText(matcher, text, records, counts);
    }
}

ReplacementCounts CountReplacements(const ReplacementTable& table, const TextCounts& texts) {
    const CTextMatcher matcher(table);
    ReplacementCounts counts;
    for (const auto& [text, records] : texts) {
        CountText(matcher, text, records, counts);
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

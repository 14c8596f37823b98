// Times what the form does on every keystroke in a cell: counting what the table will do with
// the drawing's texts. Prints the median milliseconds of one count of 100,000 distinct texts under
// each match mode.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/ReplacementCounts.h"

namespace {

double MedianMilliseconds(const ReplacementTable& table, const TextCounts& texts) {
    std::vector<double> taken;
    size_t sink = 0;
    for (int run = 0; run < 21; ++run) {
        const auto start = std::chrono::steady_clock::now();
        sink += CountReplacements(table, texts).replaced;
        taken.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(taken.begin(), taken.begin() + 10, taken.end());
    return sink == SIZE_MAX ? 0 : taken[10];
}

}  // namespace

int main() {
    // 会議室 A-n, 第一会議室 n and the like: Shift-JIS words with numbers.
    const char* const words[] = {"\x89\xEF\x8B\x63\x8E\xBA A-", "\x91\xE6\x88\xEA\x89\xEF ",
                                 "\x91\x71\x8C\xC9", "EV-"};
    TextCounts texts;
    for (int n = 0; n < 100000; ++n) {
        texts[words[n % 4] + std::to_string(n)] = 1 + static_cast<size_t>(n % 3);
    }
    ReplacementTable table;
    const char* const befores[] = {
        "\x89\xEF\x8B\x63", "A-1", "EV", "ev-99", "\x91\x71", "7", "Z", "12", "\x8E\xBA", "-"};
    for (size_t r = 0; r < table.rows.size(); ++r) {
        table.rows[r] = {befores[r], "x"};
    }
    const MatchOptions modes[] = {{}, {.part = true}, {true, true, true}};
    const char* const names[] = {"whole", "part", "part, width and case ignored"};
    for (size_t m = 0; m < std::size(modes); ++m) {
        table.options = modes[m];
        std::printf("| status recount, 100,000 texts, %s | %.1f ms |\n", names[m],
                    MedianMilliseconds(table, texts));
    }
    return 0;
}

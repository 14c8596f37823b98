#include <algorithm>

#include "engine/FieldSplitter.h"
#include "fuzz/FuzzSupport.h"

// Input: one byte giving the delimiter's length (0 to 7), the delimiter, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input = AsText(data + 1, size - 1);
    const std::string_view delimiter = input.substr(0, data[0] % 8u);
    const std::string_view text = input.substr(delimiter.size());

    FieldSplitter splitter;
    // A first split fills every field, so a field left over from it would show below.
    std::string filled;
    for (int k = 0; k < FieldSplitter::kFieldCount + 5; ++k) {
        filled.append("stale").append(delimiter);
    }
    splitter.Split(filled, delimiter);

    const int result = splitter.Split(text, delimiter);
    FUZZ_CHECK(result >= 0 && result <= FieldSplitter::kFieldCount);
    const int lastPiece = std::min(result, FieldSplitter::kFieldCount - 1);
    std::string_view rest = text;
    for (int k = 0; k <= lastPiece; ++k) {
        const std::string& field = splitter.m_strItem[k];
        FUZZ_CHECK(rest.starts_with(field));
        if (k < result) {
            // A piece ends at the first occurrence of the delimiter.
            FUZZ_CHECK(rest.find(delimiter) == field.size());
            rest.remove_prefix(field.size() + delimiter.size());
        } else {
            FUZZ_CHECK(field.size() == rest.size());
            FUZZ_CHECK(!delimiter.empty() && rest.find(delimiter) == std::string_view::npos);
        }
    }
    for (int k = result + 1; k < FieldSplitter::kFieldCount; ++k) {
        FUZZ_CHECK(splitter.m_strItem[k].empty());
    }
    return 0;
}

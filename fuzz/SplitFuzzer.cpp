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
    std::string_view rest = text;
    for (int k = 0; k < FieldSplitter::kFieldCount; ++k) {
        const std::string& field = splitter.m_strItem[k];
        if (k < result) {  // a piece ends at the first occurrence of the delimiter
            FUZZ_CHECK(rest.starts_with(field) && rest.find(delimiter) == field.size());
            rest.remove_prefix(field.size() + delimiter.size());
        } else if (k == result) {
            FUZZ_CHECK(field == rest && rest.find(delimiter) == std::string_view::npos);
        } else {
            FUZZ_CHECK(field.empty());
        }
    }
    return 0;
}

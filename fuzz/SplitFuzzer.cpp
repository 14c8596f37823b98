#include "engine/FieldSplitter.h"
#include "fuzz/FuzzSupport.h"

// Input: one byte giving the delimiter's length (0 to 7), the delimiter, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view delimiter = input.substr(0, data[0] % 8u);
    std::string_view rest = input.substr(delimiter.size());

    // A first split fills every field, so a field left over from it would show below.
    FieldSplitter splitter;
    std::string filled;
    for (int k = 0; k < FieldSplitter::kFieldCount + 5; ++k) {
        filled.append("stale").append(delimiter);
    }
    splitter.Split(filled, delimiter);

    const int pieces = splitter.Split(rest, delimiter);
    assert(pieces >= 0 && pieces <= FieldSplitter::kFieldCount);
    for (int k = 0; k < FieldSplitter::kFieldCount; ++k) {
        const std::string& field = splitter.m_strItem[k];
        if (k < pieces) {  // a piece ends at the first occurrence of the delimiter
            assert(rest.starts_with(field) && rest.find(delimiter) == field.size());
            rest.remove_prefix(field.size() + delimiter.size());
        } else {  // the rest, then empty fields
            assert(field == (k == pieces ? rest : "") &&
                   (k > pieces || rest.find(delimiter) == std::string_view::npos));
        }
    }
    return 0;
}

#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Bit k is set when bytes[k] holds value, for k below count; count is at most 64. Inline: line
// cutting calls it for every 64 bytes of a drawing.
inline uint64_t ByteMask(const char* bytes, size_t count, char value) {
#if defined(__SSE2__)
    if (count == 64) {
        const __m128i wanted = _mm_set1_epi8(value);
        uint64_t mask = 0;
        for (size_t k = 0; k < 64; k += 16) {
            __m128i chunk;
            std::memcpy(&chunk, bytes + k, sizeof chunk);
            const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted));
            mask |= uint64_t{static_cast<uint16_t>(found)} << k;
        }
        return mask;
    }
#endif
    uint64_t mask = 0;
    for (size_t k = 0; k < count; ++k) {
        mask |= uint64_t{bytes[k] == value} << k;
    }
    return mask;
}

// The places of one byte value in a run of bytes, found 64 bytes at a time, so that finding
// the next one costs a few operations instead of a scan.
class CByteIndex {
public:
    explicit CByteIndex(char value) : m_value(value) {}

    // Indexes run, which must outlive the lookups.
    void Reset(std::string_view run);
    // The first position in [from, limit) holding the value, or limit; limit is at most the size
    // of the run.
    inline size_t Find(size_t from, size_t limit) const;
    // Bit k is set when position from + k holds the value, for k below 64; from is inside the
    // run.
    inline uint64_t Window(size_t from) const;

    // Bit k of word w is set when byte 64 w + k holds the value; bits past the run are clear.
    size_t WordCount() const { return m_words.size(); }
    uint64_t Word(size_t w) const { return m_words[w]; }

private:
    char m_value;
    std::vector<uint64_t> m_words;
};

// Inline: the replacement pass looks up the quotes of every text record.
inline size_t CByteIndex::Find(size_t from, size_t limit) const {
    while (from < limit) {
        const uint64_t later = m_words[from / 64] >> (from % 64);
        if (later != 0) {
            return std::min(limit, from + static_cast<size_t>(std::countr_zero(later)));
        }
        from = (from / 64 + 1) * 64;
    }
    return limit;
}

inline uint64_t CByteIndex::Window(size_t from) const {
    const size_t w = from / 64;
    const size_t shift = from % 64;
    const uint64_t window = m_words[w] >> shift;
    if (shift == 0 || w + 1 == m_words.size()) {
        return window;
    }
    return window | m_words[w + 1] << (64 - shift);
}

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Bit k is set when bytes[k] holds value, for k below count; count is at most 64. Inline: the
// replacement pass calls it for every line of a drawing.
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

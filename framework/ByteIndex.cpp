#include "framework/ByteIndex.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr size_t kWordBytes = 64;

uint64_t ScalarMask(const char* bytes, size_t count, char value) {
    uint64_t mask = 0;
    for (size_t k = 0; k < count; ++k) {
        mask |= uint64_t{bytes[k] == value} << k;
    }
    return mask;
}

// The mask of 64 whole bytes.
uint64_t WordMask(const char* bytes, char value) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(value);
    uint64_t mask = 0;
    for (size_t k = 0; k < kWordBytes; k += 16) {
        __m128i chunk;
        std::memcpy(&chunk, bytes + k, sizeof chunk);
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted));
        mask |= uint64_t{static_cast<uint16_t>(found)} << k;
    }
    return mask;
#else
    return ScalarMask(bytes, kWordBytes, value);
#endif
}

}  // namespace

void CByteIndex::Reset(std::string_view run) {
    const size_t wholeWords = run.size() / kWordBytes;
    m_words.resize(wholeWords);
    for (size_t w = 0; w < wholeWords; ++w) {
        m_words[w] = WordMask(run.data() + w * kWordBytes, m_value);
    }
    if (const size_t tail = run.size() % kWordBytes; tail != 0) {
        m_words.push_back(ScalarMask(run.data() + wholeWords * kWordBytes, tail, m_value));
    }
}

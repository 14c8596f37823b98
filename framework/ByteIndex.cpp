#include "framework/ByteIndex.h"

void CByteIndex::Reset(std::string_view run) {
    m_words.resize((run.size() + 63) / 64);
    for (size_t w = 0; w < m_words.size(); ++w) {
        m_words[w] =
            ByteMask(run.data() + w * 64, std::min<size_t>(64, run.size() - w * 64), m_value);
    }
}

#include "base/PageBuffer.h"

#include <cstring>

void CPageBuffer::Allocate(size_t size) {
    size_t space = size + kPageSize;
    m_storage.reset(new char[space]);
    void* start = m_storage.get();
    m_data = static_cast<char*>(std::align(kPageSize, size, start, space));
    m_size = size;
}

void CPageBuffer::Grow(size_t size, size_t keep) {
    if (size <= m_size) {
        return;
    }
    CPageBuffer larger(size);
    if (keep > 0) {
        std::memcpy(larger.data(), m_data, keep);
    }
    swap(larger);
}

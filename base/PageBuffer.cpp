#include "base/PageBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "base/FileSystem.h"

void CPageBuffer::Grow(size_t size, size_t keep) {
    if (size <= m_size) {
        return;
    }
    size = std::max(size, m_size + m_size / 4);
    const size_t offset = static_cast<size_t>(m_data - m_storage.get());
    char* storage = static_cast<char*>(std::realloc(m_storage.get(), size + kPageSize));
    if (storage == nullptr) {
        throw std::bad_alloc();
    }
    static_cast<void>(m_storage.release());
    m_storage.reset(storage);
    const size_t aligned = -reinterpret_cast<uintptr_t>(storage) & (kPageSize - 1);
    if (aligned != offset && keep > 0) {
        std::memmove(storage + aligned, storage + offset, keep);
    }
    m_data = storage + aligned;
    // Each fault costs far more than a page's copy: on the build machine a 300 MB line took
    // twice the system time when its pages were faulted in one by one.
    const size_t grownFrom = (m_size + kPageSize - 1) & ~(kPageSize - 1);
    const size_t grownTo = size & ~(kPageSize - 1);
    if (grownTo > grownFrom) {
        PrefaultPages(m_data + grownFrom, grownTo - grownFrom);
    }
    m_size = size;
}

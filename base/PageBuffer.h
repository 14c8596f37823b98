#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <utility>

// Bytes whose first one starts a memory page. The kernel copies a read into, or a write from, a
// page-aligned buffer several times faster than one that starts a few bytes past a page: on the
// build machine reading 200 MB into an address 16 bytes past a page took five times as long.
class CPageBuffer {
public:
    static constexpr size_t kPageSize = 4096;

    CPageBuffer() = default;
    explicit CPageBuffer(size_t size) { Grow(size, 0); }

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    size_t size() const { return m_size; }
    void swap(CPageBuffer& other) noexcept {
        m_storage.swap(other.m_storage);
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
    }
    // Makes the buffer at least size bytes long, keeping its first keep bytes. It grows by a
    // quarter at least, so that growing it step by step costs time in proportion to its size.
    void Grow(size_t size, size_t keep);

private:
    struct StorageFree {
        void operator()(char* storage) const { std::free(storage); }
    };

    // A page more than m_size, left uninitialised; from realloc, which can grow a large block in
    // place or, on Linux, move its pages without copying them.
    std::unique_ptr<char, StorageFree> m_storage;
    char* m_data = nullptr;  // the first page boundary in m_storage
    size_t m_size = 0;
};

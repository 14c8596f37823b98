#pragma once

#include <cstddef>
#include <memory>
#include <utility>

// Bytes whose first one starts a memory page. The kernel copies a read into, or a write from, a
// page-aligned buffer several times faster than one that starts a few bytes past a page: on the
// build machine reading 200 MB into an address 16 bytes past a page took five times as long.
class CPageBuffer {
public:
    static constexpr size_t kPageSize = 4096;

    CPageBuffer() = default;
    explicit CPageBuffer(size_t size) { Allocate(size); }

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    size_t size() const { return m_size; }
    void swap(CPageBuffer& other) noexcept {
        m_storage.swap(other.m_storage);
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
    }
    // Makes the buffer at least size bytes long, keeping its first keep bytes.
    void Grow(size_t size, size_t keep);

private:
    void Allocate(size_t size);

    std::unique_ptr<char[]> m_storage;  // a page more than m_size, left uninitialised
    char* m_data = nullptr;             // the first page boundary in m_storage
    size_t m_size = 0;
};

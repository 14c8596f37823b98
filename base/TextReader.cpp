#include "base/TextReader.h"

#include <cerrno>
#include <cstring>

namespace {
// A file starts with a small chunk and no thread of its own: the thread, and large chunks, come
// once it has filled the first.
constexpr size_t kFirstChunkSize = 1 << 16;
constexpr size_t kChunkSize = 1 << 20;
// The unreturned bytes of one chunk go in front of the next, into this room when they fit. It is
// a whole page, so that every chunk is read to a page boundary.
constexpr size_t kHeadroom = CPageBuffer::kPageSize;
}  // namespace

CTextReader::CTextReader(const std::string& name)
    : m_channel(name, "rb", name), m_chunkSize(kFirstChunkSize) {
    m_channel.StartRead(kHeadroom, m_chunkSize);
}

// Takes the chunk read ahead behind the unreturned bytes and starts reading the next. False
// once the input has ended.
bool CTextReader::ReadMore() {
    if (m_bInputEnded) {
        return false;
    }
    m_channel.Wait(CFileException::Operation::read);
    PlaceUnreturnedBeforeChunk();
    m_end += m_channel.ChunkSize();
    m_bInputEnded = m_channel.ChunkEndsInput();
    if (!m_bInputEnded) {
        if (m_chunkSize == kFirstChunkSize) {
            m_channel.StartThread();
            m_chunkSize = kChunkSize;
        }
        m_channel.StartRead(kHeadroom, m_chunkSize);
    }
    return true;
}

// Makes [m_begin, m_end) the unreturned bytes followed by the chunk read ahead: by swapping
// buffers when they fit in front of it, else by gathering both at the front of m_buffer.
void CTextReader::PlaceUnreturnedBeforeChunk() {
    CPageBuffer& chunk = m_channel.IoBuffer();
    const size_t chunkSize = m_channel.ChunkSize();
    const size_t unreturned = m_end - m_begin;
    const size_t scanned = m_scanned - m_begin;
    if (unreturned <= kHeadroom) {
        const size_t begin = kHeadroom - unreturned;
        if (unreturned > 0) {
            std::memcpy(chunk.data() + begin, m_buffer.data() + m_begin, unreturned);
        }
        m_buffer.swap(chunk);
        m_begin = begin;
    } else {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, unreturned);
        m_buffer.Grow(unreturned + chunkSize, unreturned);
        std::memcpy(m_buffer.data() + unreturned, chunk.data() + kHeadroom, chunkSize);
        m_begin = 0;
    }
    m_scanned = m_begin + scanned;
    m_end = m_begin + unreturned;
}

bool CTextReader::ReadLines(std::string_view& lines) {
    for (;;) {
        const char* data = m_buffer.data();
        const size_t lastLineFeed =
            std::string_view(data + m_scanned, m_end - m_scanned).rfind('\n');
        if (lastLineFeed != std::string_view::npos) {
            const size_t end = m_scanned + lastLineFeed + 1;
            lines = std::string_view(data + m_begin, end - m_begin);
            m_begin = m_scanned = end;
            return true;
        }
        m_scanned = m_end;
        if (m_end - m_begin > m_maxLineLength) {
            throw CFileException(CFileException::Cause::badPath, CFileException::Operation::read,
                                 m_channel.Path(), ENAMETOOLONG);
        }
        if (!ReadMore()) {
            lines = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
            m_begin = m_scanned = m_end;
            return !lines.empty();
        }
    }
}

bool CTextReader::ReadLine(std::string_view& line) {
    while (m_nextLine == m_runLines.size()) {
        std::string_view run;
        if (!ReadLines(run)) {
            line = {};
            return false;
        }
        m_runLines.clear();
        m_nextLine = 0;
        ForEachLine(run, [this](const TextLine& cut) { m_runLines.push_back(cut.text); });
    }
    line = m_runLines[m_nextLine++];
    return true;
}

bool CTextReader::ReadString(std::string& line) {
    std::string_view view;
    const bool read = ReadLine(view);
    line.assign(view);
    return read;
}

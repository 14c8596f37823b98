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

// Takes the next chunk behind the unreturned bytes. False once the input has ended.
bool CTextReader::ReadMore() {
    if (m_bInputEnded) {
        return false;
    }
    const bool longLine = m_end - m_begin > kHeadroom;
    if (longLine && !m_bReadingAhead) {
        ReadBehindUnreturned();
    } else {
        if (!m_bReadingAhead) {
            m_channel.StartRead(kHeadroom, m_chunkSize);
        }
        m_channel.Wait(CFileException::Operation::read);
        longLine ? AppendChunk() : PlaceUnreturnedBeforeChunk();
    }
    m_bReadingAhead = false;
    m_bInputEnded = m_channel.ChunkEndsInput();
    m_taken += m_channel.ChunkSize();
    if (m_taken > m_maxSize) {
        CFileException error(CFileException::Cause::tooLarge, CFileException::Operation::read,
                             m_channel.Path());
        error.m_nLimit = m_maxSize;
        throw error;
    }
    if (!m_bInputEnded && !longLine) {
        ReadAhead();
    }
    return true;
}

void CTextReader::ReadAhead() {
    if (m_chunkSize == kFirstChunkSize) {
        m_channel.StartThread();
        m_chunkSize = kChunkSize;
    }
    m_channel.StartRead(kHeadroom, m_chunkSize);
    m_bReadingAhead = true;
}

// Puts the unreturned bytes in front of the chunk read ahead, into its headroom, and takes its
// buffer.
void CTextReader::PlaceUnreturnedBeforeChunk() {
    CPageBuffer& chunk = m_channel.IoBuffer();
    const size_t unreturned = m_end - m_begin;
    const size_t begin = kHeadroom - unreturned;
    if (unreturned > 0) {
        std::memcpy(chunk.data() + begin, m_buffer.data() + m_begin, unreturned);
    }
    m_buffer.swap(chunk);
    m_scanned = m_scanned - m_begin + begin;
    m_begin = begin;
    m_end = kHeadroom + m_channel.ChunkSize();
}

// Copies the chunk read ahead behind a line longer than the headroom, placed so that the chunk
// ends on a page boundary, where the next is read.
void CTextReader::AppendChunk() {
    const size_t chunkSize = m_channel.ChunkSize();
    const size_t unreturned = m_end - m_begin;
    const size_t begin = (kHeadroom - (unreturned + chunkSize) % kHeadroom) % kHeadroom;
    m_buffer.Grow(begin + unreturned + chunkSize, m_end);
    MoveUnreturnedTo(begin);
    std::memcpy(m_buffer.data() + m_end, m_channel.IoBuffer().data() + kHeadroom, chunkSize);
    m_end += chunkSize;
}

// The buffer grows geometrically and what is read of the line never moves, so a line costs time
// in proportion to its length.
void CTextReader::ReadBehindUnreturned() {
    m_buffer.Grow(m_end + m_chunkSize, m_end);
    m_channel.ReadNow(m_buffer.data() + m_end, m_chunkSize);
    m_end += m_channel.ChunkSize();
}

void CTextReader::MoveUnreturnedTo(size_t begin) {
    const size_t unreturned = m_end - m_begin;
    std::memmove(m_buffer.data() + begin, m_buffer.data() + m_begin, unreturned);
    m_scanned = m_scanned - m_begin + begin;
    m_begin = begin;
    m_end = begin + unreturned;
}

bool CTextReader::ReadLines(std::string_view& lines) {
    for (;;) {
        const char* data = m_buffer.data();
        const std::string_view unscanned(data + m_scanned, m_end - m_scanned);
        // rfind looks at a byte at a time: only where a forward search has found a line feed.
        const size_t lastLineFeed = unscanned.find('\n') == std::string_view::npos
                                        ? std::string_view::npos
                                        : unscanned.rfind('\n');
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

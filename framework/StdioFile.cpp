#include "framework/StdioFile.h"

#include <cerrno>
#include <cstring>

#include "framework/FileSystem.h"

namespace {
constexpr size_t kBufferSize = 1 << 16;
constexpr char kEndOfInput = 0x1A;

// The errno of a failed call, or EIO where the runtime left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}
}  // namespace

CStdioFile::~CStdioFile() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

void CStdioFile::Open(const std::string& name, Mode mode) {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    errno = 0;
    m_file = OpenFile(name, mode == Mode::read ? "rb" : "wb");
    if (m_file == nullptr) {
        const int error = LastError();
        throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::open, name,
                             error);
    }
    // Our own buffer does the buffering, so write errors surface at our calls.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_mode = mode;
    m_strFilePath = FullPath(name);
    if (!m_buffer) {
        m_buffer = std::make_unique<char[]>(kBufferSize);
    }
    m_begin = m_end = 0;
    m_bInputEnded = false;
}

void CStdioFile::Fail(CFileException::Operation operation, int error) {
    std::fclose(m_file);
    m_file = nullptr;
    throw CFileException(FileErrorCauseFromErrno(error), operation, m_strFilePath, error);
}

bool CStdioFile::FillBuffer() {
    if (m_bInputEnded) {
        return false;
    }
    errno = 0;
    const size_t count = std::fread(m_buffer.get(), 1, kBufferSize, m_file);
    if (count < kBufferSize && std::ferror(m_file)) {
        Fail(CFileException::Operation::read, LastError());
    }
    m_begin = 0;
    m_end = count;
    if (const void* stop = std::memchr(m_buffer.get(), kEndOfInput, count)) {
        m_end = static_cast<size_t>(static_cast<const char*>(stop) - m_buffer.get());
        m_bInputEnded = true;
    } else if (count < kBufferSize) {
        m_bInputEnded = true;
    }
    return m_end > 0;
}

bool CStdioFile::ReadString(std::string& line) {
    line.clear();
    bool readAny = false;
    for (;;) {
        if (m_begin == m_end && !FillBuffer()) {
            return readAny;
        }
        readAny = true;
        const char* start = m_buffer.get() + m_begin;
        const size_t available = m_end - m_begin;
        const void* lineFeed = std::memchr(start, '\n', available);
        if (lineFeed == nullptr) {
            line.append(start, available);
            m_begin = m_end;
            continue;
        }
        const size_t length = static_cast<size_t>(static_cast<const char*>(lineFeed) - start);
        line.append(start, length);
        m_begin += length + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    }
}

void CStdioFile::FlushBuffer() {
    if (m_end == 0) {
        return;
    }
    errno = 0;
    const size_t written = std::fwrite(m_buffer.get(), 1, m_end, m_file);
    if (written != m_end) {
        m_end = 0;
        Fail(CFileException::Operation::write, LastError());
    }
    m_end = 0;
}

void CStdioFile::WriteString(std::string_view text) {
    while (!text.empty()) {
        const size_t lineFeed = text.find('\n');
        const size_t chunk = lineFeed == std::string_view::npos ? text.size() : lineFeed;
        for (size_t done = 0; done < chunk;) {
            if (m_end == kBufferSize) {
                FlushBuffer();
            }
            const size_t count = std::min(chunk - done, kBufferSize - m_end);
            std::memcpy(m_buffer.get() + m_end, text.data() + done, count);
            m_end += count;
            done += count;
        }
        if (lineFeed == std::string_view::npos) {
            return;
        }
        if (kBufferSize - m_end < 2) {
            FlushBuffer();
        }
        m_buffer[m_end++] = '\r';
        m_buffer[m_end++] = '\n';
        text.remove_prefix(lineFeed + 1);
    }
}

void CStdioFile::Close() {
    if (m_file == nullptr) {
        return;
    }
    if (m_mode == Mode::write) {
        FlushBuffer();
    }
    errno = 0;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        const int error = LastError();
        throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::close,
                             m_strFilePath, error);
    }
}

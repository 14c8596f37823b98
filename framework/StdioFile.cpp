#include "framework/StdioFile.h"

#include <cerrno>
#include <cstring>

#include "framework/FileSystem.h"

namespace {
constexpr size_t kBufferSize = 1 << 18;
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
    m_buffer.resize(kBufferSize);
    m_begin = m_end = m_scanned = 0;
    m_bInputEnded = false;
}

void CStdioFile::Fail(CFileException::Operation operation, int error) {
    std::fclose(m_file);
    m_file = nullptr;
    throw CFileException(FileErrorCauseFromErrno(error), operation, m_strFilePath, error);
}

// Reads more input behind the unreturned bytes, moving them to the front of the buffer and
// growing it when they fill it. False once the input has ended.
bool CStdioFile::ReadMore() {
    if (m_bInputEnded) {
        return false;
    }
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_scanned -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        m_buffer.resize(m_buffer.size() * 2);
    }
    errno = 0;
    char* free = m_buffer.data() + m_end;
    const size_t wanted = m_buffer.size() - m_end;
    const size_t count = std::fread(free, 1, wanted, m_file);
    if (count < wanted && std::ferror(m_file)) {
        Fail(CFileException::Operation::read, LastError());
    }
    if (const void* stop = std::memchr(free, kEndOfInput, count)) {
        m_end += static_cast<size_t>(static_cast<const char*>(stop) - free);
        m_bInputEnded = true;
    } else {
        m_end += count;
        m_bInputEnded = count < wanted;
    }
    return true;
}

bool CStdioFile::ReadLine(std::string_view& line) {
    for (;;) {
        const char* data = m_buffer.data();
        const void* lineFeed = std::memchr(data + m_scanned, '\n', m_end - m_scanned);
        if (lineFeed != nullptr) {
            const size_t end = static_cast<size_t>(static_cast<const char*>(lineFeed) - data);
            const bool crlf = end > m_begin && data[end - 1] == '\r';
            line = std::string_view(data + m_begin, end - m_begin - (crlf ? 1 : 0));
            m_lastLine = line;
            m_bLastLineCrLf = crlf;
            m_begin = m_scanned = end + 1;
            return true;
        }
        m_scanned = m_end;
        if (!ReadMore()) {
            line = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
            m_lastLine = line;
            m_bLastLineCrLf = false;
            m_begin = m_scanned = m_end;
            return !line.empty();
        }
    }
}

bool CStdioFile::ReadString(std::string& line) {
    std::string_view view;
    const bool read = ReadLine(view);
    line.assign(view);
    return read;
}

void CStdioFile::FlushBuffer() {
    if (m_end == 0) {
        return;
    }
    errno = 0;
    const size_t written = std::fwrite(m_buffer.data(), 1, m_end, m_file);
    if (written != m_end) {
        m_end = 0;
        Fail(CFileException::Operation::write, LastError());
    }
    m_end = 0;
}

void CStdioFile::Append(std::string_view bytes) {
    if (bytes.size() <= m_buffer.size() - m_end) {
        std::memcpy(m_buffer.data() + m_end, bytes.data(), bytes.size());
        m_end += bytes.size();
        return;
    }
    while (!bytes.empty()) {
        if (m_end == m_buffer.size()) {
            FlushBuffer();
        }
        const size_t count = std::min(bytes.size(), m_buffer.size() - m_end);
        std::memcpy(m_buffer.data() + m_end, bytes.data(), count);
        m_end += count;
        bytes.remove_prefix(count);
    }
}

void CStdioFile::WriteString(std::string_view text) {
    for (size_t lineFeed; (lineFeed = text.find('\n')) != std::string_view::npos;) {
        Append(text.substr(0, lineFeed));
        Append("\r\n");
        text.remove_prefix(lineFeed + 1);
    }
    Append(text);
}

void CStdioFile::WriteLine(std::string_view text) {
    if (text.size() + 2 <= m_buffer.size() - m_end && text.find('\n') == std::string_view::npos) {
        std::memcpy(m_buffer.data() + m_end, text.data(), text.size());
        m_end += text.size();
        m_buffer[m_end++] = '\r';
        m_buffer[m_end++] = '\n';
        return;
    }
    WriteString(text);
    Append("\r\n");
}

void CStdioFile::CopyLine(const CStdioFile& input) {
    if (input.m_bLastLineCrLf) {
        Append({input.m_lastLine.data(), input.m_lastLine.size() + 2});
    } else {
        Append(input.m_lastLine);
        Append("\r\n");
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

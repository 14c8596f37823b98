#include "base/StdioFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/FileSystem.h"

namespace {
// A chunk read, or an output buffer. A file starts with small ones and no thread of its own: the
// thread, and large chunks, come once it has filled the first.
constexpr size_t kFirstChunkSize = 1 << 16;
constexpr size_t kChunkSize = 1 << 20;
// The unreturned bytes of one chunk go in front of the next, into this room when they fit.
constexpr size_t kHeadroom = 1 << 12;
constexpr char kEndOfInput = 0x1A;

// The errno of a failed call, or EIO where the runtime left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}
}  // namespace

CStdioFile::~CStdioFile() {
    Abandon();
}

// Closes the file, if open, without reporting: any write under way ends first, and a file
// written in place of another is removed.
void CStdioFile::Abandon() {
    m_io.reset();
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_strTemporaryName.empty()) {
        RemoveFile(m_strTemporaryName);
        m_strTemporaryName.clear();
    }
}

void CStdioFile::Open(const std::string& name, Mode mode) {
    Abandon();
    errno = 0;
    if (mode == Mode::replace) {
        if (const int error = CheckReplaceable(name); error != 0) {
            FailToOpen(name, error);
        }
        m_strTargetName = name;
        m_strTemporaryName = TemporaryNameBeside(name);
    }
    m_file = OpenFile(mode == Mode::replace ? m_strTemporaryName : name,
                      mode == Mode::read ? "rb" : "wb");
    if (m_file == nullptr) {
        m_strTemporaryName.clear();
        FailToOpen(name, LastError());
    }
    // Our own buffer does the buffering, so write errors surface at our calls.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_mode = mode;
    m_strFilePath = FullPath(name);
    m_chunkSize = kFirstChunkSize;
    m_buffer.resize(mode == Mode::read ? kHeadroom + m_chunkSize : m_chunkSize);
    m_begin = m_end = m_scanned = 0;
    m_bInputEnded = false;
    m_runLines.clear();
    m_nextLine = 0;
    m_ioError = 0;
    if (mode == Mode::read) {
        ReadAhead();
    }
}

void CStdioFile::StartBackgroundIo() {
    m_io = std::make_unique<CBackgroundThread>();
    m_chunkSize = kChunkSize;
}

void CStdioFile::RunIo(std::function<void()> job) {
    if (m_io != nullptr) {
        m_io->Start(std::move(job));
    } else {
        job();
    }
}

void CStdioFile::WaitForIo(CFileException::Operation operation) {
    if (m_io != nullptr) {
        m_io->Wait();
    }
    if (m_ioError != 0) {
        Fail(operation, m_ioError);
    }
}

// Reads the next chunk into m_ioBuffer.
void CStdioFile::ReadAhead() {
    m_ioBuffer.resize(std::max(m_ioBuffer.size(), kHeadroom + m_chunkSize));
    RunIo([this, size = m_chunkSize] {
        char* chunk = m_ioBuffer.data() + kHeadroom;
        errno = 0;
        const size_t count = std::fread(chunk, 1, size, m_file);
        m_ioError = count < size && std::ferror(m_file) ? LastError() : 0;
        const void* stop = std::memchr(chunk, kEndOfInput, count);
        m_ioSize =
            stop != nullptr ? static_cast<size_t>(static_cast<const char*>(stop) - chunk) : count;
        m_bChunkEndsInput = stop != nullptr || count < size;
    });
}

void CStdioFile::FailToOpen(const std::string& name, int error) {
    throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::open, name,
                         error);
}

void CStdioFile::Fail(CFileException::Operation operation, int error) {
    Abandon();
    throw CFileException(FileErrorCauseFromErrno(error), operation, m_strFilePath, error);
}

// Takes the chunk read ahead behind the unreturned bytes and starts reading the next. False
// once the input has ended.
bool CStdioFile::ReadMore() {
    if (m_bInputEnded) {
        return false;
    }
    WaitForIo(CFileException::Operation::read);
    PlaceUnreturnedBeforeChunk();
    m_end += m_ioSize;
    m_bInputEnded = m_bChunkEndsInput;
    if (!m_bInputEnded) {
        if (m_io == nullptr) {
            StartBackgroundIo();
        }
        ReadAhead();
    }
    return true;
}

// Makes [m_begin, m_end) the unreturned bytes followed by the chunk read ahead: by swapping
// buffers when they fit in front of it, else by gathering both at the front of m_buffer.
void CStdioFile::PlaceUnreturnedBeforeChunk() {
    const size_t unreturned = m_end - m_begin;
    const size_t scanned = m_scanned - m_begin;
    if (unreturned <= kHeadroom) {
        const size_t begin = kHeadroom - unreturned;
        std::memcpy(m_ioBuffer.data() + begin, m_buffer.data() + m_begin, unreturned);
        m_buffer.swap(m_ioBuffer);
        m_begin = begin;
    } else {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, unreturned);
        m_buffer.resize(std::max(m_buffer.size(), unreturned + m_ioSize));
        std::memcpy(m_buffer.data() + unreturned, m_ioBuffer.data() + kHeadroom, m_ioSize);
        m_begin = 0;
    }
    m_scanned = m_begin + scanned;
    m_end = m_begin + unreturned;
}

bool CStdioFile::ReadLines(std::string_view& lines) {
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
            Fail(CFileException::Operation::read, ENAMETOOLONG);
        }
        if (!ReadMore()) {
            lines = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
            m_begin = m_scanned = m_end;
            return !lines.empty();
        }
    }
}

bool CStdioFile::ReadLine(std::string_view& line) {
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

bool CStdioFile::ReadString(std::string& line) {
    std::string_view view;
    const bool read = ReadLine(view);
    line.assign(view);
    return read;
}

// Writes the buffer, once the last one is written, and goes on in the other buffer.
void CStdioFile::FlushBuffer() {
    if (m_end == 0) {
        return;
    }
    WaitForIo(CFileException::Operation::write);
    m_buffer.swap(m_ioBuffer);
    m_buffer.resize(m_chunkSize);
    m_ioSize = std::exchange(m_end, 0);
    RunIo([this] {
        errno = 0;
        const bool written = std::fwrite(m_ioBuffer.data(), 1, m_ioSize, m_file) == m_ioSize;
        m_ioError = written ? 0 : LastError();
    });
}

void CStdioFile::WriteRaw(std::string_view bytes) {
    if (bytes.size() <= m_buffer.size() - m_end) {
        std::memcpy(m_buffer.data() + m_end, bytes.data(), bytes.size());
        m_end += bytes.size();
        return;
    }
    while (!bytes.empty()) {
        if (m_end == m_buffer.size()) {
            if (m_io == nullptr) {
                StartBackgroundIo();
            }
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
        WriteRaw(text.substr(0, lineFeed));
        WriteRaw("\r\n");
        text.remove_prefix(lineFeed + 1);
    }
    WriteRaw(text);
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
    WriteRaw("\r\n");
}

void CStdioFile::Close() {
    if (m_file == nullptr) {
        return;
    }
    if (m_mode != Mode::read) {
        FlushBuffer();
        WaitForIo(CFileException::Operation::write);
    }
    m_io.reset();
    errno = 0;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        Fail(CFileException::Operation::close, LastError());
    }
    if (m_mode == Mode::replace) {
        if (const int error = PutInPlace(m_strTemporaryName, m_strTargetName); error != 0) {
            Fail(CFileException::Operation::write, error);
        }
        m_strTemporaryName.clear();
    }
}

#include "base/TextWriter.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

#include "base/FileSystem.h"

namespace {

// The first buffer is small and written at once; a file that fills it gets a thread that writes
// each larger buffer behind while the next fills.
constexpr size_t kFirstChunkSize = 1 << 16;
constexpr size_t kChunkSize = 1 << 20;

// A name for the file written in place of target: in the same directory, so that a rename can
// put it in place; unique to this writer among the processes that write there; and never a name
// the host reads.
std::string TemporaryNameBeside(const std::string& target) {
    static std::atomic<unsigned> writers{0};
    return target + "." + std::to_string(CurrentProcessId()) + "-" + std::to_string(++writers) +
           ".tmp";
}

// The name, once it is known that a file may be written in its place.
const std::string& Replaceable(const std::string& name) {
    if (const int error = CheckReplaceable(name); error != 0) {
        throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::open, name,
                             error);
    }
    return name;
}

}  // namespace

CTextWriter::CTemporaryName::~CTemporaryName() {
    if (!m_strName.empty()) {
        RemoveFile(m_strName);
    }
}

CTextWriter::CTextWriter(const std::string& name)
    : m_strTargetName(Replaceable(name)),
      m_temporary(TemporaryNameBeside(name)),
      m_channel(m_temporary.Name(), "wb", name),
      m_buffer(kFirstChunkSize),
      m_chunkSize(kFirstChunkSize) {}

// Runs a step that may fail; a failure ends writing.
template <class Step>
void CTextWriter::Checked(const Step& step) {
    try {
        step();
    } catch (...) {
        m_buffer = {};
        m_end = 0;
        throw;
    }
}

// Writes the buffer, once the last one is written, and goes on in the other buffer.
void CTextWriter::FlushBuffer() {
    if (m_end == 0) {
        return;
    }
    Checked([this] { m_channel.Wait(CFileException::Operation::write); });
    m_buffer.swap(m_channel.IoBuffer());
    m_buffer.Grow(m_chunkSize, 0);
    Checked([this] { m_channel.StartWrite(std::exchange(m_end, 0)); });
}

void CTextWriter::WriteRaw(std::string_view bytes) {
    if (bytes.size() <= m_buffer.size() - m_end) {
        std::memcpy(m_buffer.data() + m_end, bytes.data(), bytes.size());
        m_end += bytes.size();
        return;
    }
    m_channel.RequireOpen(CFileException::Operation::write);
    while (!bytes.empty()) {
        if (m_end == m_buffer.size()) {
            if (m_chunkSize == kFirstChunkSize) {
                m_channel.StartThread();
                m_chunkSize = kChunkSize;
            }
            FlushBuffer();
        }
        const size_t count = std::min(bytes.size(), m_buffer.size() - m_end);
        std::memcpy(m_buffer.data() + m_end, bytes.data(), count);
        m_end += count;
        bytes.remove_prefix(count);
    }
}

void CTextWriter::WriteString(std::string_view text) {
    for (size_t lineFeed; (lineFeed = text.find('\n')) != std::string_view::npos;) {
        WriteRaw(text.substr(0, lineFeed));
        WriteRaw("\r\n");
        text.remove_prefix(lineFeed + 1);
    }
    WriteRaw(text);
}

void CTextWriter::WriteLine(std::string_view text) {
    if (text.size() + 2 <= m_buffer.size() - m_end && text.find('\n') == std::string_view::npos) {
        std::memcpy(m_buffer.data() + m_end, text.data(), text.size());
        m_end += text.size();
        m_buffer.data()[m_end++] = '\r';
        m_buffer.data()[m_end++] = '\n';
        return;
    }
    WriteString(text);
    WriteRaw("\r\n");
}

void CTextWriter::Close() {
    m_channel.RequireOpen(CFileException::Operation::close);
    Checked([this] {
        FlushBuffer();
        m_channel.Wait(CFileException::Operation::write);
        m_channel.Close();
        if (const int error = PutInPlace(m_temporary.Name(), m_strTargetName); error != 0) {
            throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::write,
                                 m_channel.Path(), error);
        }
        m_temporary.Keep();
    });
    m_buffer = {};
}

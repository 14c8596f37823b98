#include "base/FileChannel.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "base/FileSystem.h"

namespace {

constexpr char kEndOfInput = 0x1A;

// The errno of a failed call, or EIO where the runtime left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

CFileChannel::CFileChannel(const std::string& openName, const char* mode,
                           const std::string& reportedName) {
    errno = 0;
    m_file.reset(OpenFile(openName, mode));
    if (m_file == nullptr) {
        const int error = LastError();
        throw CFileException(FileErrorCauseFromErrno(error), CFileException::Operation::open,
                             reportedName, error);
    }
    // The owner's buffers do the buffering, so write errors surface at its calls.
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
    m_strFilePath = FullPath(reportedName);
}

void CFileChannel::StartThread() {
    // The thread pays only where another processor can run it: on one, the hand-overs cost.
    if (UsableProcessorCount() > 1) {
        m_thread = std::make_unique<CBackgroundThread>();
    }
}

void CFileChannel::Run(std::function<void()> job) {
    if (m_thread != nullptr) {
        m_thread->Start(std::move(job));
    } else {
        job();
    }
}

void CFileChannel::StartRead(size_t offset, size_t size) {
    RequireOpen(CFileException::Operation::read);
    m_ioBuffer.Grow(offset + size, 0);
    Run([this, offset, size] { ReadChunk(m_ioBuffer.data() + offset, size); });
}

void CFileChannel::ReadNow(char* destination, size_t size) {
    RequireOpen(CFileException::Operation::read);
    ReadChunk(destination, size);
    Wait(CFileException::Operation::read);
}

void CFileChannel::ReadChunk(char* chunk, size_t size) {
    errno = 0;
    const size_t count = std::fread(chunk, 1, size, m_file.get());
    m_ioError = count < size && std::ferror(m_file.get()) ? LastError() : 0;
    const void* stop = std::memchr(chunk, kEndOfInput, count);
    m_ioSize =
        stop != nullptr ? static_cast<size_t>(static_cast<const char*>(stop) - chunk) : count;
    m_bChunkEndsInput = stop != nullptr || count < size;
}

void CFileChannel::StartWrite(size_t size) {
    RequireOpen(CFileException::Operation::write);
    m_ioSize = size;
    Run([this] {
        errno = 0;
        const bool written = std::fwrite(m_ioBuffer.data(), 1, m_ioSize, m_file.get()) == m_ioSize;
        m_ioError = written ? 0 : LastError();
    });
}

void CFileChannel::Wait(CFileException::Operation operation) {
    if (m_thread != nullptr) {
        m_thread->Wait();
    }
    if (const int error = std::exchange(m_ioError, 0); error != 0) {
        Fail(operation, error);
    }
}

void CFileChannel::RequireOpen(CFileException::Operation operation) const {
    if (m_file == nullptr) {
        throw CFileException(CFileException::Cause::generic, operation, m_strFilePath, EBADF);
    }
}

void CFileChannel::Close() {
    RequireOpen(CFileException::Operation::close);
    m_thread.reset();
    errno = 0;
    if (std::fclose(m_file.release()) != 0) {
        Fail(CFileException::Operation::close, LastError());
    }
}

void CFileChannel::Fail(CFileException::Operation operation, int error) {
    m_thread.reset();
    m_file.reset();
    throw CFileException(FileErrorCauseFromErrno(error), operation, m_strFilePath, error);
}

#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/BackgroundThread.h"
#include "base/FileException.h"
#include "base/PageBuffer.h"

// The open file under a text reader or writer, the buffer that its jobs read into or write from,
// and the thread that runs them once the file has outgrown a first chunk, where a second
// processor can run it; otherwise they run at once. A job touches nothing but what this class
// holds, and the thread is its last member: it ends before the buffer and the file go. Every
// failure throws CFileException naming the file, and a file that failed is closed: any later call
// fails too.
class CFileChannel {
public:
    // Opens openName ("rb" or "wb"); errors, and the file's full path, name reportedName.
    CFileChannel(const std::string& openName, const char* mode, const std::string& reportedName);
    CFileChannel(const CFileChannel&) = delete;
    CFileChannel& operator=(const CFileChannel&) = delete;
    ~CFileChannel() = default;  // the job under way ends, then the file closes without reporting

    const std::string& Path() const { return m_strFilePath; }
    // From now on jobs run on a thread of their own, where another processor can run it.
    void StartThread();

    // The buffer of the jobs, which the owner takes by swapping once Wait has returned.
    CPageBuffer& IoBuffer() { return m_ioBuffer; }
    // Reads up to size bytes into IoBuffer() from offset on. The chunk read ends the input when it
    // is short or holds a byte 0x1A, where its ChunkSize() bytes end.
    void StartRead(size_t offset, size_t size);
    // Reads up to size bytes into destination on the calling thread, with no job under way; the
    // chunk ends as with StartRead, and a failure throws as Wait does.
    void ReadNow(char* destination, size_t size);
    // Writes the first size bytes of IoBuffer().
    void StartWrite(size_t size);
    // Waits for the job under way and throws its failure, as a failure of the operation given.
    void Wait(CFileException::Operation operation);
    size_t ChunkSize() const { return m_ioSize; }
    bool ChunkEndsInput() const { return m_bChunkEndsInput; }

    // Throws, as a failure of the operation given, once the file is closed.
    void RequireOpen(CFileException::Operation operation) const;
    // Closes the file, after the job under way; throws when closing fails.
    void Close();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    void Run(std::function<void()> job);
    void ReadChunk(char* chunk, size_t size);
    [[noreturn]] void Fail(CFileException::Operation operation, int error);

    std::string m_strFilePath;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    CPageBuffer m_ioBuffer;
    size_t m_ioSize = 0;
    int m_ioError = 0;  // the errno of the last job's failure, or 0
    bool m_bChunkEndsInput = false;
    std::unique_ptr<CBackgroundThread> m_thread;  // last: see above
};

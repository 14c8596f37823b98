#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// A failure that a test injects into the reads and writes of one file, as a full disk or a failing
// device causes, so that the failure paths run alike on every platform.
struct FileFault {
    std::string_view name;          // of the file it strikes, in any directory; empty: none
    size_t limit = 0;               // reading or writing past this many bytes of the file fails
    unsigned long systemError = 0;  // of the failing call: a Win32 error code on Windows, an errno
                                    // elsewhere
    size_t memoryLimit = SIZE_MAX;  // a buffer fails to grow past this many bytes, of any file
};

// From now on every file read or written meets this fault; FileFault{} removes it.
void InjectFileFault(FileFault fault);
// Whether a buffer of size bytes may be had.
bool MemoryFaultAllows(size_t size);

struct FileTransfer {
    size_t count;
    int error;  // the errno of a failure, or 0
};
// fread and fwrite on an unbuffered file with the full path given; a write's error is 0 only when
// every byte was written.
FileTransfer ReadBytes(std::FILE* file, char* bytes, size_t size, const std::string& path);
FileTransfer WriteBytes(std::FILE* file, const char* bytes, size_t size, const std::string& path);

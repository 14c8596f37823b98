#pragma once

#include <cstdio>
#include <string>

// The few file-system calls that differ between Windows and POSIX. Names and paths are Shift-JIS
// bytes everywhere; the Windows implementation converts them to UTF-16 at the call.

// Opens a file in binary mode ("rb" or "wb"); a directory never opens. On failure returns null
// with errno set.
std::FILE* OpenFile(const std::string& name, const char* mode);

// The absolute form of a name, taken against the current directory.
std::string FullPath(const std::string& name);

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& dir);

// Standard output takes bytes as they are, without line-end translation.
void SetBinaryStdout();

#pragma once

#include <cstdio>
#include <string>

// Names are Shift-JIS: a byte 0x81 to 0x9F or 0xE0 to 0xFC starts a character of two bytes.
inline bool IsLeadByte(unsigned char value) {
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// The few file-system calls that differ between Windows and POSIX. Names and paths are Shift-JIS
// bytes everywhere; the Windows implementation converts them to UTF-16 at the call.

// Opens a file in binary mode ("rb" or "wb"); a directory never opens. On failure returns null
// with errno set.
std::FILE* OpenFile(const std::string& name, const char* mode);

// The absolute form of a name, taken against the current directory.
std::string FullPath(const std::string& name);

unsigned long CurrentProcessId();
// How many processors this process may run on.
unsigned UsableProcessorCount();
// 0 when a file may be written in place of name, which may not exist yet; else the errno of
// opening it for writing: a directory, a read-only file or an empty name.
int CheckReplaceable(const std::string& name);
// Puts from in place of to in one step, keeping the permissions of the file it replaces; on
// Windows a file that another process holds is tried again for about two seconds. Returns 0 or
// the errno of the failure.
int PutInPlace(const std::string& from, const std::string& to);
// Removes a file, if there is one; directories stay.
void RemoveFile(const std::string& name);
// The file a name stands for after following symbolic links; the name itself when it is none or
// cannot be followed.
std::string ResolveLinks(const std::string& name);

// The running program's full path; empty when it cannot be told in Shift-JIS.
std::string GetProgramPath();

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& dir);

// The errno that an error code of the system's file calls stands for: a Win32 error code on
// Windows, an errno elsewhere.
int ErrnoFromSystemError(unsigned long error);

// Gives the pages of [start, start + size), which starts on a page boundary, memory at once: one
// call, where touching them would fault once a page. Does nothing where it cannot.
void PrefaultPages(char* start, size_t size);

// Standard output takes bytes as they are, without line-end translation.
void SetBinaryStdout();

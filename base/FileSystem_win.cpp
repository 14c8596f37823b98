#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <string>

#include "base/Cp932_win.h"
#include "base/FileSystem.h"

namespace {

bool IsDirectory(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The errno value that a failed file call's Win32 error stands for.
int ErrnoFromWin32(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return EINVAL;
        default:
            return EIO;
    }
}

// The errors of a file that another process (a virus scanner, the search indexer) holds open for a
// moment. The second one leaves the target removed and the new file beside it: moved next time.
bool IsHeldByAnother(DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_ACCESS_DENIED:
        case ERROR_LOCK_VIOLATION:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
            return true;
        default:
            return false;
    }
}

std::wstring WideFullPath(const std::wstring& name) {
    const DWORD length = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return name;
    }
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(name.c_str(), length, full.data(), nullptr));
    return full;
}

// Asked before ReplaceFileW, which under Wine leaves a temporary file beside a target that
// another process holds.
DWORD CheckRemovable(const std::wstring& name) {
    HANDLE file =
        CreateFileW(name.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(file);
    return ERROR_SUCCESS;
}

// Replacing keeps the target's ACL, attributes and creation time, which a move would drop. Full
// paths: Wine's ReplaceFileW takes no relative ones.
DWORD ReplaceOrMove(const std::wstring& from, const std::wstring& to) {
    if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS
                   : GetLastError();
    }
    if (const DWORD error = CheckRemovable(to); error != ERROR_SUCCESS) {
        return error;
    }
    return ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr)
               ? ERROR_SUCCESS
               : GetLastError();
}

constexpr ULONGLONG kHeldFileWaitMs = 2000;
constexpr DWORD kRetryPauseMs = 50;

DWORD ReplaceOrMoveWhenFree(const std::wstring& from, const std::wstring& to) {
    const ULONGLONG deadline = GetTickCount64() + kHeldFileWaitMs;
    DWORD error = ReplaceOrMove(from, to);
    while (IsHeldByAnother(error) && GetTickCount64() < deadline) {
        Sleep(kRetryPauseMs);
        error = ReplaceOrMove(from, to);
    }
    return error;
}

}  // namespace

std::FILE* OpenFile(const std::string& name, const char* mode) {
    const std::wstring wideName = WideFromCp932(name);
    std::FILE* file = _wfopen(wideName.c_str(), mode[0] == 'r' ? L"rb" : L"wb");
    if (file == nullptr && IsDirectory(wideName)) {
        errno = EISDIR;
    }
    return file;
}

unsigned UsableProcessorCount() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) {
        return 1;
    }
    return static_cast<unsigned>(std::popcount(static_cast<uint64_t>(process)));
}

unsigned long CurrentProcessId() {
    return GetCurrentProcessId();
}

int CheckReplaceable(const std::string& name) {
    if (name.empty()) {
        return ENOENT;
    }
    const DWORD attributes = GetFileAttributesW(WideFromCp932(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EISDIR;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? EACCES : 0;
}

int PutInPlace(const std::string& from, const std::string& to) {
    const DWORD error =
        ReplaceOrMoveWhenFree(WideFullPath(WideFromCp932(from)), WideFullPath(WideFromCp932(to)));
    return error == ERROR_SUCCESS ? 0 : ErrnoFromWin32(error);
}

void RemoveFile(const std::string& name) {
    DeleteFileW(WideFromCp932(name).c_str());
}

std::string ResolveLinks(const std::string& name) {
    return name;
}

std::string FullPath(const std::string& name) {
    return Cp932FromWide(WideFullPath(WideFromCp932(name))).value_or(name);
}

std::string GetCurrentDir() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(length, L'\0');
    dir.resize(GetCurrentDirectoryW(length, dir.data()));
    return Cp932FromWide(dir).value_or(std::string());
}

bool SetCurrentDir(const std::string& dir) {
    return SetCurrentDirectoryW(WideFromCp932(dir).c_str()) != FALSE;
}

std::string GetProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    if (std::optional<std::string> cp932 = Cp932FromWide(path)) {
        return *cp932;
    }
    // A folder name outside Shift-JIS (an accented user name, say) usually has an ASCII short
    // name; without one the program directory stays unknown rather than wrong.
    const DWORD shortLength = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring shortPath(shortLength, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), shortLength));
    return shortLength == 0 ? std::string() : Cp932FromWide(shortPath).value_or(std::string());
}

int ErrnoFromSystemError(unsigned long error) {
    return ErrnoFromWin32(error);
}

void PrefaultPages(char*, size_t) {}

void SetBinaryStdout() {
    _setmode(_fileno(stdout), _O_BINARY);
}

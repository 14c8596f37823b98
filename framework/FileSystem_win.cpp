#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "framework/Cp932_win.h"
#include "framework/FileSystem.h"

std::FILE* OpenFile(const std::string& name, const char* mode) {
    const wchar_t* wideMode = mode[0] == 'r' ? L"rb" : L"wb";
    return _wfopen(WideFromCp932(name).c_str(), wideMode);
}

std::string FullPath(const std::string& name) {
    const std::wstring wideName = WideFromCp932(name);
    const DWORD length = GetFullPathNameW(wideName.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return name;
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wideName.c_str(), length, full.data(), nullptr);
    full.resize(written);
    return Cp932FromWide(full).value_or(name);
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

void SetBinaryStdout() {
    _setmode(_fileno(stdout), _O_BINARY);
}

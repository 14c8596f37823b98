#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "framework/FileSystem.h"

std::FILE* OpenFile(const std::string& name, const char* mode) {
    std::FILE* file = std::fopen(name.c_str(), mode);
    if (file == nullptr) {
        return nullptr;
    }
    // Opening a directory for reading succeeds here but fails on Windows: fail alike.
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

std::string FullPath(const std::string& name) {
    if (!name.empty() && name.front() == '/') {
        return name;
    }
    std::string dir = GetCurrentDir();
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir + name;
}

std::string GetCurrentDir() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool SetCurrentDir(const std::string& dir) {
    return chdir(dir.c_str()) == 0;
}

void SetBinaryStdout() {}

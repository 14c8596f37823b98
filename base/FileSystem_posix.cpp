#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/FileSystem.h"

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

void PrefaultPages([[maybe_unused]] char* start, [[maybe_unused]] size_t size) {
#ifdef MADV_POPULATE_WRITE
    madvise(start, size, MADV_POPULATE_WRITE);
#endif
}

unsigned UsableProcessorCount() {
    cpu_set_t usable;
    CPU_ZERO(&usable);
    if (sched_getaffinity(0, sizeof usable, &usable) != 0) {
        return 1;
    }
    return static_cast<unsigned>(CPU_COUNT(&usable));
}

unsigned long CurrentProcessId() {
    return static_cast<unsigned long>(getpid());
}

int CheckReplaceable(const std::string& name) {
    struct stat status {};
    if (name.empty()) {
        return ENOENT;
    }
    if (stat(name.c_str(), &status) != 0) {
        return 0;
    }
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    return access(name.c_str(), W_OK) == 0 ? 0 : errno;
}

int PutInPlace(const std::string& from, const std::string& to) {
    struct stat status {};
    if (stat(to.c_str(), &status) == 0) {
        chmod(from.c_str(), status.st_mode & 07777);
    }
    return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& name) {
    struct stat status {};
    if (lstat(name.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
        unlink(name.c_str());
    }
}

std::string ResolveLinks(const std::string& name) {
    struct stat status {};
    if (lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return name;
    }
    char* resolved = realpath(name.c_str(), nullptr);
    if (resolved == nullptr) {
        return name;
    }
    std::string path = resolved;
    std::free(resolved);
    return path;
}

std::string GetProgramPath() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

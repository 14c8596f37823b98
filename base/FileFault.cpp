#include "base/FileFault.h"

#include <algorithm>
#include <cerrno>

#include "base/FileSystem.h"

namespace {

FileFault g_fault;

// The errno of a failed call, or EIO where the runtime left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}

bool Strikes(const std::string& path) {
    const std::string_view name = g_fault.name;
    return !name.empty() && path.ends_with(name) &&
           (path.size() == name.size() || path[path.size() - name.size() - 1] == '/' ||
            path[path.size() - name.size() - 1] == '\\');
}

// How many of size bytes from the file's position the fault lets through: all when it strikes
// another file.
size_t Allowed(std::FILE* file, size_t size, const std::string& path) {
    if (!Strikes(path)) {
        return size;
    }
    const auto position = static_cast<size_t>(std::ftell(file));
    return position >= g_fault.limit ? 0 : std::min(size, g_fault.limit - position);
}

template <class Transfer>
FileTransfer Transferred(std::FILE* file, size_t size, const std::string& path,
                         const Transfer& transfer) {
    const size_t allowed = Allowed(file, size, path);
    errno = 0;
    const size_t count = transfer(allowed);
    if (count < allowed) {
        return {count, std::ferror(file) ? LastError() : 0};
    }
    return {count, allowed < size ? ErrnoFromSystemError(g_fault.systemError) : 0};
}

}  // namespace

void InjectFileFault(FileFault fault) {
    g_fault = fault;
}

bool MemoryFaultAllows(size_t size) {
    return size <= g_fault.memoryLimit;
}

FileTransfer ReadBytes(std::FILE* file, char* bytes, size_t size, const std::string& path) {
    return Transferred(file, size, path,
                       [&](size_t allowed) { return std::fread(bytes, 1, allowed, file); });
}

FileTransfer WriteBytes(std::FILE* file, const char* bytes, size_t size, const std::string& path) {
    const FileTransfer written = Transferred(
        file, size, path, [&](size_t allowed) { return std::fwrite(bytes, 1, allowed, file); });
    // A short write is a failure even where the runtime flagged none.
    return {written.count, written.count < size && written.error == 0 ? EIO : written.error};
}

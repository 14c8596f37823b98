#pragma once

#include <utility>

#include "base/FileFault.h"

#ifdef _WIN32
#include <windows.h>

// The system's error codes for a full disk and a failing device.
inline constexpr unsigned long kDiskFullError = ERROR_DISK_FULL;
inline constexpr unsigned long kDeviceError = ERROR_CRC;
#else
#include <sys/resource.h>

#include <cerrno>
#include <csignal>

inline constexpr unsigned long kDiskFullError = ENOSPC;
inline constexpr unsigned long kDeviceError = EIO;

// While it lives, a write that crosses the limit fails with EFBIG, as on a full disk, and
// raises SIGXFSZ where that is not ignored.
class CSizeLimit {
public:
    explicit CSizeLimit(size_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limit{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    CSizeLimit(const CSizeLimit&) = delete;
    CSizeLimit& operator=(const CSizeLimit&) = delete;

private:
    rlimit m_saved{};
};
#endif

// While it lives, the files meet the fault.
class CInjectedFault {
public:
    explicit CInjectedFault(FileFault fault) { InjectFileFault(std::move(fault)); }
    ~CInjectedFault() { InjectFileFault({}); }
    CInjectedFault(const CInjectedFault&) = delete;
    CInjectedFault& operator=(const CInjectedFault&) = delete;
};

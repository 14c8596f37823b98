#pragma once

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

// While it lives, a write that crosses the limit fails with EFBIG, as on a full disk; 0: no
// limit. Windows has no such limit: there it does nothing.
class CSizeLimit {
public:
    explicit CSizeLimit([[maybe_unused]] unsigned bytes) {
#ifndef _WIN32
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limit{bytes > 0 ? bytes : m_saved.rlim_cur, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
#endif
    }
    ~CSizeLimit() {
#ifndef _WIN32
        setrlimit(RLIMIT_FSIZE, &m_saved);
#endif
    }
    CSizeLimit(const CSizeLimit&) = delete;
    CSizeLimit& operator=(const CSizeLimit&) = delete;

private:
#ifndef _WIN32
    rlimit m_saved{};
#endif
};

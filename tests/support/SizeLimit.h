#pragma once

// While it lives, a write that crosses the limit fails with EFBIG, as on a full disk; 0: no
// limit. Windows has no such limit: there it does nothing.
#ifdef _WIN32
class CSizeLimit {
public:
    explicit CSizeLimit(unsigned) {}
};
#else
#include <sys/resource.h>

#include <csignal>

class CSizeLimit {
public:
    explicit CSizeLimit(unsigned bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limit{bytes > 0 ? bytes : m_saved.rlim_cur, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    CSizeLimit(const CSizeLimit&) = delete;
    CSizeLimit& operator=(const CSizeLimit&) = delete;

private:
    rlimit m_saved{};
};
#endif

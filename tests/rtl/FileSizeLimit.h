#pragma once
// Makes writes past a size fail for a scope, as a full disk would: the process's file size
// limit is lowered and the signal that would end the process at the limit is ignored, so the
// write itself reports the failure. Both are put back however the scope ends.
#include <csignal>
#include <sys/resource.h>

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (m_set) {
            rlimit small = m_saved;
            small.rlim_cur = bytes;
            m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
        }
    }
    ~TFileSizeLimit() {
        if (m_set) ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    // Whether the limit is in force.
    bool Set() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
    void (*m_previousHandler)(int) = SIG_DFL;
};

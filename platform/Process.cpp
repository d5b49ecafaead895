#include "platform/Process.h"

#include <unistd.h>
#include <vector>

std::string ExecutablePath() {
    // The link's length is unknown in advance: grow until the whole target fits.
    std::vector<char> buf(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n <= 0) return {};
        if (static_cast<size_t>(n) < buf.size())
            return std::string(buf.data(), static_cast<size_t>(n));
        if (buf.size() >= 1 << 16) return {};
        buf.resize(buf.size() * 2);
    }
}

int ProcessId() {
    return int(::getpid());
}

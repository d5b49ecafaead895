#include "platform/Process.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

void LowerThisThreadsPriority(int niceness) {
    // On Linux niceness belongs to each thread, and "this process" in the call means the
    // calling thread.
    ::setpriority(PRIO_PROCESS, 0, niceness);
}

namespace {
// Written by the signal handler, read by the loop: a lock-free atomic is safe in both.
std::atomic<int> g_terminationSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void NoteTerminationSignal(int signal) {
    g_terminationSignal.store(signal, std::memory_order_relaxed);
}
} // namespace

void CatchTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = NoteTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted waits start again; the loop's own waits are short and see the request.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

int TakeTerminationRequest() {
    return g_terminationSignal.exchange(0, std::memory_order_relaxed);
}

TCommandResult RunShellCommand(const std::string& command) {
    TCommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

bool TChildProcess::Start(const std::vector<std::string>& argv) {
    if (m_pid > 0 || argv.empty()) return false;
    std::vector<std::string> args = argv;
    std::vector<char*> pointers;
    for (std::string& arg : args) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, pointers.data(), environ) != 0)
        return false;
    m_pid = int(pid);
    return true;
}

void TChildProcess::Stop() {
    if (m_pid <= 0) return;
    ::kill(pid_t(m_pid), SIGTERM);
    while (::waitpid(pid_t(m_pid), nullptr, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

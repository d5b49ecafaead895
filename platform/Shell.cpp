// Opening URLs with the desktop's handler, started detached without a shell.
#include "platform/Shell.h"
#include "platform/OwnEnvironment.h"
#include "rtl/Strings.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::mutex g_mutex;
std::function<bool(const std::string&)> g_handler;
std::string g_program = "xdg-open";

// Double fork: the grandchild runs the program and is adopted by init, so nothing is left to
// reap and we never wait for the browser. A close-on-exec pipe reports whether exec worked.
bool StartDetached(const std::string& program, const std::string& argument) {
    // Made before forking: the child of a threaded program may not allocate.
    std::vector<std::string> environment = UserEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        pid_t grandchild = ::fork();
        if (grandchild < 0) {
            int e = errno;
            (void)!::write(fds[1], &e, sizeof e);
            ::_exit(1);
        }
        if (grandchild > 0) ::_exit(0);
        ::setsid();
        int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            if (null > 2) ::close(null);
        }
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()),
                        nullptr};
        ::execvpe(program.c_str(), argv, envp.data());
        int e = errno;
        (void)!::write(fds[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    do {
        n = ::read(fds[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    return n == 0; // the pipe closed on a successful exec
}

} // namespace

bool OpenUrl(const std::string& url) {
    std::function<bool(const std::string&)> handler;
    std::string program;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        handler = g_handler;
        program = g_program;
    }
    if (handler) return handler(url);
    if (url.empty()) return false;
    return StartDetached(program, url);
}

bool ShellExecute(const std::string& verb, const std::string& file) {
    if (!verb.empty() && !SameText(verb, "open")) return false;
    return OpenUrl(file);
}

void SetOpenUrlHandler(std::function<bool(const std::string& url)> handler) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_handler = std::move(handler);
}

void SetOpenUrlProgram(const std::string& program) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_program = program.empty() ? "xdg-open" : program;
}

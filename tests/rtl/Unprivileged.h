#pragma once
// Runs a piece of a test in a child process that file permissions bind: when the tests run
// as root (as on a CI machine), the child first becomes the unprivileged user "nobody", so
// a read-only file is read-only to it. The child's answer comes back as text.
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// `folder` is opened to everyone first so that the child can reach the files in it.
template <class Body> std::string RunUnprivileged(const std::string& folder, Body body) {
    if (::chmod(folder.c_str(), 0777) != 0) return "cannot open the folder to the child";
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child < 0) return "no child process";
    if (child == 0) {
        ::close(channel[0]);
        std::string answer;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            answer = "cannot drop root's privileges";
        } else {
            try {
                answer = body();
            } catch (...) {
                answer = "unexpected exception";
            }
        }
        [[maybe_unused]] ssize_t written = ::write(channel[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buf[512];
    for (ssize_t n; (n = ::read(channel[0], buf, sizeof buf)) != 0;) {
        if (n > 0)
            answer.append(buf, static_cast<size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child failed";
    return answer;
}

#pragma once
// The running process as the system sees it.
#include <string>
#include <vector>

// The absolute path of the program's executable file, links resolved; empty when the system
// cannot tell.
std::string ExecutablePath();
// This process's id, as the system numbers processes.
int ProcessId();
// Lowers the scheduling priority of the calling thread only (its niceness, 0 to 19), so that
// the process's other threads come first when the processors are busy.
void LowerThisThreadsPriority(int niceness);

// From this call on, SIGTERM, SIGINT and SIGHUP no longer end the process at once: each only
// notes that the process was asked to end, and the program's loop, which looks at
// TakeTerminationRequest on every turn, closes its window the ordinary way.
void CatchTerminationSignals();
// The signal that asked the process to end since the last call (0 when none did); asking
// clears it.
int TakeTerminationRequest();

// What a shell command wrote on its standard output and how it ended.
struct TCommandResult {
    int exitCode = -1; // -1: it could not be started, or a signal ended it
    std::string output;
};
// Runs `command` through /bin/sh and waits for it to end.
TCommandResult RunShellCommand(const std::string& command);

// A program running beside this one, started without a shell. Stop (and the destructor) ends
// it politely (SIGTERM) and waits for it, so no process is left behind.
class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess() { Stop(); }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // argv[0] is the program's path; the environment is this process's. False when it could
    // not be started (or one is running already).
    bool Start(const std::vector<std::string>& argv);
    void Stop();
    bool Running() const { return m_pid > 0; }

private:
    int m_pid = -1;
};

#pragma once
// The running process as the system sees it.
#include <string>

// The absolute path of the program's executable file, links resolved; empty when the system
// cannot tell.
std::string ExecutablePath();
// This process's id, as the system numbers processes.
int ProcessId();

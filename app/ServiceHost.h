#pragma once
// Which tips service the window talks to: the environment variable BRELVAN_SERVICE
// ("host[:port]") when it is set, otherwise the address the program was built with. The
// product site is looked for on the same host.

#include "rtl/Strings.h"

#include <string>

constexpr const char* kServiceEnvironmentVariable = "BRELVAN_SERVICE";

// The host[:port] to use; the built-in one when the variable is unset, empty or not an address.
AnsiString ServiceHostFromEnvironment();

// False, with a one-line reason, when the variable is set but is not a host[:port] address.
bool CheckServiceEnvironment(std::string& error);

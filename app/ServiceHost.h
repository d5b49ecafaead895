#pragma once
// Which tips service the window talks to: the environment variable BRELVAN_SERVICE
// ("host[:port]" for plain HTTP, "https://host[:port]" for HTTPS, see ParseServiceHost) when it
// is set, otherwise the address the program was built with. The product site is looked for on
// the same host, with the same scheme.

#include "rtl/Strings.h"

#include <string>

constexpr const char* kServiceEnvironmentVariable = "BRELVAN_SERVICE";

// The service address to use, in ParseServiceHost's form; the built-in one when the variable is
// unset, empty or not an address.
AnsiString ServiceHostFromEnvironment();

// False, with a one-line reason, when the variable is set but is not a service address.
bool CheckServiceEnvironment(std::string& error);

#pragma once
// What the window tells the user when the tips service fails: a sentence in the user's words,
// then, on a line of its own, the technical reason as the network library gave it.

#include "rtl/Strings.h"

// A request that got nothing of an answer: `reason` is the library's text. `host` is the
// service's host[:port]; `timeoutMs` the time limit the request had.
AnsiString ServiceFailureText(const AnsiString& host, int timeoutMs, const AnsiString& reason);

// A request the service answered with another status than success: `statusLine` as it came
// ("HTTP/1.1 500 Internal Server Error"), `location` where a redirect points (or empty).
AnsiString ServiceStatusText(const AnsiString& statusLine, const AnsiString& location);

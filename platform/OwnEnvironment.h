#pragma once
// Variables the program sets in its own environment for the libraries it runs on (set first
// thing, before any thread starts), kept out of what the programs it starts see: a browser
// opened for a link gets the user's environment as it was.
#include <string>
#include <vector>

// Sets `name` to `value` for this process unless the user set it already (even to empty).
// Not thread-safe: call before any other thread runs.
void SetOwnEnvironment(const char* name, const std::string& value);

// The environment as "NAME=value" entries, without what SetOwnEnvironment added.
std::vector<std::string> UserEnvironment();

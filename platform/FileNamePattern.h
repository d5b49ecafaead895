#pragma once
// File name patterns as the shell writes them ("*.txt", "report-??.csv", "[ab]*").
#include <string>

// Whether `name` matches `pattern`, letters compared without regard to case. An empty pattern
// matches nothing.
bool MatchesFileNamePattern(const std::string& pattern, const std::string& name);

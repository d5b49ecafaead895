#include "platform/FileNamePattern.h"

#include <fnmatch.h>

bool MatchesFileNamePattern(const std::string& pattern, const std::string& name) {
    if (pattern.empty()) return false;
    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

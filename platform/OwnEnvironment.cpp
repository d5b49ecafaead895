#include "platform/OwnEnvironment.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

extern char** environ;

namespace {

std::mutex g_mutex;
std::vector<std::string> g_added; // "NAME=value" as set by us

} // namespace

void SetOwnEnvironment(const char* name, const std::string& value) {
    if (std::getenv(name)) return;
    if (::setenv(name, value.c_str(), 0) != 0) return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_added.push_back(std::string(name) + "=" + value);
}

std::vector<std::string> UserEnvironment() {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) {
        bool ours = false;
        for (const std::string& added : g_added) ours = ours || added == *e;
        if (!ours) entries.emplace_back(*e);
    }
    return entries;
}

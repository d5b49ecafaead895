#include "app/ServiceHost.h"

#include "service/ServiceUrls.h"

#include <cstdlib>

namespace {
const char* EnvironmentValue() {
    const char* value = std::getenv(kServiceEnvironmentVariable);
    return value && *value ? value : nullptr;
}
} // namespace

AnsiString ServiceHostFromEnvironment() {
    AnsiString host, error;
    if (const char* value = EnvironmentValue(); value && ParseServiceHost(value, host, error))
        return host;
    // The built-in address may name its scheme too ("https://tips.example").
    if (ParseServiceHost(kTipsServiceHost, host, error)) return host;
    return kTipsServiceHost;
}

bool CheckServiceEnvironment(std::string& error) {
    const char* value = EnvironmentValue();
    if (!value) return true;
    AnsiString host, reason;
    if (ParseServiceHost(value, host, reason)) return true;
    error = std::string(kServiceEnvironmentVariable) + ": " + reason;
    return false;
}

// Opening the bridge module and starting it.
#include "app/AccessibilityModule.h"

#include <cstdlib>
#include <cstring>

#include "platform/Process.h"
#include "platform/SharedModule.h"

namespace {
using TStart = int (*)(char* reason, size_t size);
using TStop = void (*)();
TStop g_stop = nullptr;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}
} // namespace

std::string AccessibilityUnwanted() {
    const char* off = std::getenv("NO_AT_BRIDGE");
    if (off && std::strcmp(off, "1") == 0) return "NO_AT_BRIDGE is set";
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!bus || !*bus || std::strncmp(bus, "disabled:", 9) == 0) return "no session bus is named";
    return {};
}

std::vector<std::string> AccessibilityModulePaths(const std::string& executable) {
    const std::string folder = FolderOf(executable);
    const std::string name = "/libbrelvan-atkbridge.so";
    return {folder + "/" BRELVAN_ATKBRIDGE_INSTALLED + name,
            folder + "/" BRELVAN_ATKBRIDGE_BUILT + name};
}

bool StartAccessibility(std::string& reason) {
    reason = AccessibilityUnwanted();
    if (!reason.empty()) return false;
    void* module = nullptr;
    std::string error;
    for (const std::string& path : AccessibilityModulePaths(ExecutablePath())) {
        module = OpenSharedModule(path, error);
        if (module) break;
    }
    if (!module) {
        reason = "the accessibility module cannot be opened: " + error;
        return false;
    }
    auto start =
        reinterpret_cast<TStart>(SharedModuleSymbol(module, "brelvan_start_accessibility"));
    auto stop = reinterpret_cast<TStop>(SharedModuleSymbol(module, "brelvan_stop_accessibility"));
    if (!start || !stop) {
        reason = "the accessibility module has no entry";
        return false;
    }
    char why[256] = {};
    if (!start(why, sizeof why)) {
        reason = why;
        return false;
    }
    g_stop = stop;
    return true;
}

void StopAccessibility() {
    if (g_stop) g_stop();
    g_stop = nullptr;
}

// Opening the program's own shared modules.
#include "platform/SharedModule.h"

#include <dlfcn.h>

void* OpenSharedModule(const std::string& path, std::string& error) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        error = why ? why : ("cannot open " + path);
    }
    return module;
}

void* SharedModuleSymbol(void* module, const char* name) {
    return module ? dlsym(module, name) : nullptr;
}

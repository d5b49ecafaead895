#pragma once
// A shared module of the program's own, opened when it is first needed instead of being
// linked (its dependency tree would otherwise be mapped before main).
#include <string>

// Opens the module at `path`; null with the loader's reason in `error` when it cannot be.
// Its symbols are resolved at once, against the program's own where it uses them.
void* OpenSharedModule(const std::string& path, std::string& error);
// The address of a symbol of an opened module, or null.
void* SharedModuleSymbol(void* module, const char* name);

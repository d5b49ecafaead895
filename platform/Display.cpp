#include "platform/Display.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<Display>& Slot() {
    static std::unique_ptr<Display> display;
    return display;
}
} // namespace

Display& CurrentDisplay() {
    auto& slot = Slot();
    if (!slot) {
        // A fault of the program, not of the user's system: say so plainly and stop.
        std::fputs("No display was chosen: the program must install one with SetDisplay before "
                   "it creates windows\n",
                   stderr);
        std::abort();
    }
    return *slot;
}

bool HasDisplay() {
    return Slot() != nullptr;
}

void SetDisplay(std::unique_ptr<Display> display) {
    Slot() = std::move(display);
}

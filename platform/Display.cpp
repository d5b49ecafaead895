#include "platform/Display.h"

#include "platform/SdlDisplay.h"

namespace {
std::unique_ptr<Display>& Slot() {
    static std::unique_ptr<Display> display;
    return display;
}
} // namespace

Display& CurrentDisplay() {
    auto& slot = Slot();
    if (!slot) slot = SdlDisplay::Open(); // exits with a plain message when none can be opened
    return *slot;
}

bool HasDisplay() {
    return Slot() != nullptr;
}

void SetDisplay(std::unique_ptr<Display> display) {
    Slot() = std::move(display);
}

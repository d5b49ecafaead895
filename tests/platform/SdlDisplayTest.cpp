// The SDL display on SDL's own off-screen driver: no screen is needed, and that driver cannot
// shape windows, so what is checked here is that asking for a shape never costs the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/SdlDisplay.h"

namespace {
std::unique_ptr<Display> OpenOffscreen() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    return SdlDisplay::Open();
}
} // namespace

TEST(SdlDisplay, AShapeTheSystemCannotMakeLeavesTheWindowRectangularAndUsable) {
    std::unique_ptr<Display> d = OpenOffscreen();
    int id = d->CreateWindow({10, 20, 40, 30}, false);
    ASSERT_GT(id, 0);
    d->ShowWindow(id, true, true);
    d->SetWindowShape(id, {{0, 0, 40, 10}, {5, 10, 30, 20}});
    d->SetWindowShape(id, {{0, 0, 20, 30}});
    d->SetWindowBounds(id, {10, 20, 60, 50});
    std::vector<uint32_t> pixels(60 * 50, 0x00FF0000);
    d->Present(id, pixels.data(), 60, 50, {0, 0, 60, 50});
    d->SetWindowShape(id, {});
    d->SetWindowTitle(id, "still here");
    // Events still flow and the window is gone only when destroyed.
    DisplayEvent e;
    while (d->PollEvent(e)) {
    }
    d->DestroyWindow(id);
    d->SetWindowShape(id, {{0, 0, 1, 1}}); // unknown ids are ignored
}

// The SDL display on SDL's own off-screen driver (no screen needed): what the system sends
// comes out as display events of the right window in screen coordinates, presents copy only
// the dirty part, and a shape the driver cannot make never costs the window.
#include "platform/SdlDisplay.h"
#include "ScopedEnv.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class SdlDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        display = SdlDisplay::Open();
    }

    // Creates a shown window and gives it a title by which the system's window is found.
    int Window(const DisplayRect& bounds, const char* title) {
        const int id = display->CreateWindow(bounds, false);
        display->SetWindowTitle(id, title);
        display->ShowWindow(id, true, true);
        Drain();
        return id;
    }
    static Uint32 SystemId(const char* title) {
        for (Uint32 i = 1; i < 256; ++i) {
            SDL_Window* w = SDL_GetWindowFromID(i);
            if (w && std::strcmp(SDL_GetWindowTitle(w), title) == 0) return i;
        }
        return 0;
    }
    void Drain() {
        DisplayEvent e;
        while (display->PollEvent(e)) {
        }
    }
    // Sends one system event and returns what the display makes of it (kind None: nothing).
    DisplayEvent Through(SDL_Event e) {
        Drain();
        SDL_PushEvent(&e);
        DisplayEvent out;
        if (!display->PollEvent(out)) out = DisplayEvent{};
        return out;
    }
    static SDL_Event Button(Uint32 type, Uint32 window, Uint8 button, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = window;
        e.button.button = button;
        e.button.x = x;
        e.button.y = y;
        return e;
    }
    static SDL_Event Key(Uint32 type, Uint32 window, SDL_Keycode sym, Uint16 mod, bool repeat) {
        SDL_Event e{};
        e.type = type;
        e.key.windowID = window;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        e.key.repeat = repeat ? 1 : 0;
        return e;
    }

    std::unique_ptr<Display> display;
};

} // namespace

TEST_F(SdlDisplayTest, PointerEventsNameTheirWindowAndCarryScreenCoordinates) {
    const int left = Window({100, 50, 200, 100}, "left");
    const int right = Window({400, 300, 50, 50}, "right");
    ASSERT_NE(left, right);
    const Uint32 leftSdl = SystemId("left");
    const Uint32 rightSdl = SystemId("right");
    ASSERT_NE(leftSdl, 0u);
    ASSERT_NE(rightSdl, 0u);

    DisplayEvent e = Through(Button(SDL_MOUSEBUTTONDOWN, leftSdl, SDL_BUTTON_LEFT, 5, 7));
    EXPECT_EQ(e.kind, DisplayEventKind::MouseDown);
    EXPECT_EQ(e.window, left);
    EXPECT_EQ(e.button, 1);
    EXPECT_EQ(e.x, 105);
    EXPECT_EQ(e.y, 57);

    e = Through(Button(SDL_MOUSEBUTTONUP, rightSdl, SDL_BUTTON_RIGHT, 1, 2));
    EXPECT_EQ(e.kind, DisplayEventKind::MouseUp);
    EXPECT_EQ(e.window, right);
    EXPECT_EQ(e.button, 2);
    EXPECT_EQ(e.x, 401);
    EXPECT_EQ(e.y, 302);

    // A window that moved reports from its new place.
    display->SetWindowBounds(left, {10, 20, 200, 100});
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = leftSdl;
    motion.motion.x = 3;
    motion.motion.y = 4;
    e = Through(motion);
    EXPECT_EQ(e.kind, DisplayEventKind::MouseMove);
    EXPECT_EQ(e.window, left);
    EXPECT_EQ(e.x, 13);
    EXPECT_EQ(e.y, 24);

    // Buttons the program has no use for are dropped; windows it did not make are none.
    EXPECT_EQ(Through(Button(SDL_MOUSEBUTTONDOWN, leftSdl, SDL_BUTTON_X1, 5, 7)).kind,
              DisplayEventKind::None);
    e = Through(Button(SDL_MOUSEBUTTONDOWN, 250, SDL_BUTTON_MIDDLE, 5, 7));
    EXPECT_EQ(e.button, 3);
    EXPECT_EQ(e.window, 0);
}

TEST_F(SdlDisplayTest, KeysBecomeVirtualKeysWithModifiersAndAreRemembered) {
    const int id = Window({0, 0, 100, 100}, "keys");
    const Uint32 sdl = SystemId("keys");
    DisplayEvent e = Through(Key(SDL_KEYDOWN, sdl, SDLK_a, KMOD_LCTRL | KMOD_RSHIFT, false));
    EXPECT_EQ(e.kind, DisplayEventKind::KeyDown);
    EXPECT_EQ(e.window, id);
    EXPECT_EQ(e.key, 'A');
    EXPECT_EQ(e.mods, ModCtrl | ModShift);
    EXPECT_FALSE(e.repeat);
    EXPECT_TRUE(display->KeyDown('A'));

    e = Through(Key(SDL_KEYDOWN, sdl, SDLK_F5, KMOD_LALT, true));
    EXPECT_EQ(e.key, 0x74);
    EXPECT_EQ(e.mods, ModAlt);
    EXPECT_TRUE(e.repeat);

    e = Through(Key(SDL_KEYUP, sdl, SDLK_a, KMOD_NONE, false));
    EXPECT_EQ(e.kind, DisplayEventKind::KeyUp);
    EXPECT_EQ(e.mods, 0u);
    EXPECT_FALSE(display->KeyDown('A'));
    EXPECT_TRUE(display->KeyDown(0x74));

    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = sdl;
    std::strcpy(text.text.text, "\xD0\xB6\xC3\xA9"); // two letters in UTF-8
    e = Through(text);
    EXPECT_EQ(e.kind, DisplayEventKind::Text);
    EXPECT_EQ(e.text, "\xD0\xB6\xC3\xA9");
    EXPECT_EQ(e.window, id);

    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = sdl;
    e = Through(close);
    EXPECT_EQ(e.kind, DisplayEventKind::Close);
    EXPECT_EQ(e.window, id);
}

TEST_F(SdlDisplayTest, PresentCopiesOnlyTheDirtyPart) {
    const int id = Window({0, 0, 40, 30}, "present");
    SDL_Surface* screen = SDL_GetWindowSurface(SDL_GetWindowFromID(SystemId("present")));
    ASSERT_NE(screen, nullptr);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    std::vector<uint32_t> pixels(40 * 30, 0x00FF8000);
    display->Present(id, pixels.data(), 40, 30, {10, 5, 8, 6});
    auto at = [&](int x, int y) {
        SDL_LockSurface(screen);
        const Uint32 raw = *reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * 4);
        SDL_UnlockSurface(screen);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(raw, screen->format, &r, &g, &b);
        return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    };
    ASSERT_EQ(screen->format->BytesPerPixel, 4);
    EXPECT_EQ(at(10, 5), 0xFF8000u);
    EXPECT_EQ(at(17, 10), 0xFF8000u);
    EXPECT_EQ(at(18, 10), 0u);
    EXPECT_EQ(at(9, 5), 0u);
    EXPECT_EQ(at(10, 11), 0u);
}

TEST_F(SdlDisplayTest, AShapeTheSystemCannotMakeLeavesTheWindowRectangularAndUsable) {
    const int id = Window({10, 20, 40, 30}, "shaped");
    display->SetWindowShape(id, {{0, 0, 40, 10}, {5, 10, 30, 20}});
    display->SetWindowShape(id, {{0, 0, 20, 30}});
    display->SetWindowBounds(id, {10, 20, 60, 50});
    std::vector<uint32_t> pixels(60 * 50, 0x00FF0000);
    display->Present(id, pixels.data(), 60, 50, {0, 0, 60, 50});
    display->SetWindowShape(id, {});
    display->SetWindowTitle(id, "still here");
    // The window is the same one, in its place, and its input still reaches the program.
    const Uint32 sdl = SystemId("still here");
    ASSERT_NE(sdl, 0u);
    const DisplayEvent e = Through(Button(SDL_MOUSEBUTTONDOWN, sdl, SDL_BUTTON_LEFT, 1, 1));
    EXPECT_EQ(e.window, id);
    EXPECT_EQ(e.x, 11);
    EXPECT_EQ(e.y, 21);
    display->DestroyWindow(id);
    EXPECT_EQ(SystemId("still here"), 0u);
    display->SetWindowShape(id, {{0, 0, 1, 1}}); // unknown ids are ignored
}

TEST(SdlDisplayOpen, WithoutAScreenItSaysSoInsteadOfDrawingIntoMemory) {
    ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    ScopedEnv x("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", "");
    std::string error;
    EXPECT_EQ(SdlDisplay::TryOpen(error), nullptr);
    EXPECT_NE(error.find("DISPLAY"), std::string::npos) << error;

    // A driver named on purpose is taken as it is, screen or not.
    ScopedEnv chosen("SDL_VIDEODRIVER", "dummy");
    error.clear();
    EXPECT_NE(SdlDisplay::TryOpen(error), nullptr) << error;
}

// A session without a message bus gets none started for it; one that names a bus keeps it.
// The user's programs keep their compiled compose table in a private cache folder.
TEST(SdlDisplayOpen, TheEnvironmentNeitherStartsABusNorRecompilesTheComposeTable) {
    {
        ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
        ScopedEnv cache("XCOMPOSECACHE", "/somewhere/of/the/user");
        SdlDisplay::PrepareEnvironment();
        EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
        EXPECT_STREQ(std::getenv("XCOMPOSECACHE"), "/somewhere/of/the/user");
    }
    char folder[] = "/tmp/brelvan-cache-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    {
        ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
        ScopedEnv cache("XCOMPOSECACHE", nullptr);
        ScopedEnv xdg("XDG_CACHE_HOME", folder);
        SdlDisplay::PrepareEnvironment();
        EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
        const std::string compose = std::string(folder) + "/brelvan/compose";
        struct stat info {};
        if (::geteuid() == 0) {
            // The X library never keeps one for root: nothing is set or made.
            EXPECT_EQ(std::getenv("XCOMPOSECACHE"), nullptr);
        } else {
            EXPECT_STREQ(std::getenv("XCOMPOSECACHE"), compose.c_str());
            ASSERT_EQ(::stat(compose.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 0777, 0700u);
        }
    }
    std::filesystem::remove_all(folder);
}

namespace {
// The SDL display with a device scale of its own: on the off-screen driver, which (like X11)
// scales nothing itself, a window of scale 2 is twice as large in SDL's pixels.
class ScaledSdlDisplayTest : public SdlDisplayTest {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("BRELVAN_SCALE", "2", 1);
        display = SdlDisplay::Open();
        unsetenv("BRELVAN_SCALE");
    }
};

uint32_t SurfacePixel(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const Uint32 raw = *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                        y * surface->pitch + x * 4);
    SDL_UnlockSurface(surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}
} // namespace

TEST_F(ScaledSdlDisplayTest, PointsBecomeDevicePixelsTowardTheSystemAndBackForInput) {
    EXPECT_EQ(display->DeviceScale(), 2);
    const int id = Window({100, 50, 40, 30}, "scaled");
    SDL_Window* sdl = SDL_GetWindowFromID(SystemId("scaled"));
    ASSERT_NE(sdl, nullptr);
    int w = 0, h = 0, x = 0, y = 0;
    SDL_GetWindowSize(sdl, &w, &h);
    SDL_GetWindowPosition(sdl, &x, &y);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 60);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 100);

    // Input comes back in points; a pixel left of the window stays left of it.
    DisplayEvent e =
        Through(Button(SDL_MOUSEBUTTONDOWN, SystemId("scaled"), SDL_BUTTON_LEFT, 11, 15));
    EXPECT_EQ(e.window, id);
    EXPECT_EQ(e.x, 105);
    EXPECT_EQ(e.y, 57);
    e = Through(Button(SDL_MOUSEBUTTONUP, SystemId("scaled"), SDL_BUTTON_LEFT, -1, 0));
    EXPECT_EQ(e.x, 99);

    SDL_Event moved{};
    moved.type = SDL_WINDOWEVENT;
    moved.window.event = SDL_WINDOWEVENT_MOVED;
    moved.window.windowID = SystemId("scaled");
    moved.window.data1 = 300;
    moved.window.data2 = 160;
    e = Through(moved);
    EXPECT_EQ(e.kind, DisplayEventKind::Moved);
    EXPECT_EQ(e.x, 150);
    EXPECT_EQ(e.y, 80);

    // The screen in points.
    SDL_Rect bounds{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    EXPECT_EQ(display->ScreenRect(), (DisplayRect{0, 0, bounds.w / 2, bounds.h / 2}));

    // A new size is doubled too.
    display->SetWindowBounds(id, {100, 50, 60, 20});
    SDL_GetWindowSize(sdl, &w, &h);
    EXPECT_EQ(w, 120);
    EXPECT_EQ(h, 40);
}

TEST_F(ScaledSdlDisplayTest, PresentTakesDevicePixelsAndEnlargesASurfaceOfPoints) {
    const int id = Window({0, 0, 4, 3}, "device");
    SDL_Surface* screen = SDL_GetWindowSurface(SDL_GetWindowFromID(SystemId("device")));
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->w, 8);
    ASSERT_EQ(screen->h, 6);
    SDL_FillRect(screen, nullptr, 0);

    // A surface of device pixels is copied one to one, only its dirty part.
    std::vector<uint32_t> device(8 * 6);
    for (std::size_t i = 0; i < device.size(); ++i) device[i] = 0x000100u * uint32_t(i + 1);
    display->Present(id, device.data(), 8, 6, {1, 1, 3, 2});
    EXPECT_EQ(SurfacePixel(screen, 1, 1), device[9]);
    EXPECT_EQ(SurfacePixel(screen, 3, 2), device[19]);
    EXPECT_EQ(SurfacePixel(screen, 4, 2), 0u);
    EXPECT_EQ(SurfacePixel(screen, 0, 0), 0u);

    // A surface of points (a window system drawing one pixel a point): each pixel becomes two
    // by two, and the dirty rectangle (the surface's pixels) grows with it.
    const std::vector<uint32_t> points{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, //
                                       0x111111, 0x222222, 0x333333, 0x444444, //
                                       0x555555, 0x666666, 0x777777, 0x888888};
    display->Present(id, points.data(), 4, 3, {1, 1, 2, 1});
    EXPECT_EQ(SurfacePixel(screen, 2, 2), 0x222222u);
    EXPECT_EQ(SurfacePixel(screen, 3, 3), 0x222222u);
    EXPECT_EQ(SurfacePixel(screen, 5, 3), 0x333333u);
    EXPECT_EQ(SurfacePixel(screen, 6, 2), 0u); // outside the dirty part: as it was
    EXPECT_EQ(SurfacePixel(screen, 1, 1), device[9]);
    display->Present(id, points.data(), 4, 3, {0, 0, 4, 3});
    EXPECT_EQ(SurfacePixel(screen, 0, 0), 0xFF0000u);
    EXPECT_EQ(SurfacePixel(screen, 7, 5), 0x888888u);
    // A dirty rectangle reaching past the surface is kept to it.
    display->Present(id, points.data(), 4, 3, {-5, -5, 100, 100});
    EXPECT_EQ(SurfacePixel(screen, 7, 0), 0xFFFFFFu);
}

TEST(SdlDisplayScale, OnlyOneTwoOrThreeAndDesktopSettingsOnlyWhereTheyBelong) {
    ScopedEnv driver("SDL_VIDEODRIVER", "dummy");
    {
        // A toolkit setting of X11 desktops says nothing off X11.
        ScopedEnv scale("BRELVAN_SCALE", nullptr);
        ScopedEnv gdk("GDK_SCALE", "2");
        EXPECT_EQ(SdlDisplay::Open()->DeviceScale(), 1);
    }
    {
        ScopedEnv scale("BRELVAN_SCALE", "3");
        EXPECT_EQ(SdlDisplay::Open()->DeviceScale(), 3);
    }
    {
        // Anything else is refused aloud, and the screen's own scale is used.
        ScopedEnv scale("BRELVAN_SCALE", "4");
        testing::internal::CaptureStderr();
        const int chosen = SdlDisplay::Open()->DeviceScale();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(chosen, 1);
        EXPECT_NE(said.find("BRELVAN_SCALE=4"), std::string::npos) << said;
    }
}

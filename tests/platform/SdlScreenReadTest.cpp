// The SDL display on a real X server (Xvfb, started for the test): what a window presents can
// be read back from the screen, a rectangle reaching off the screen included, and windows
// may be made partly transparent. Skipped where Xvfb is missing.
#include "ScopedEnv.h"
#include "platform/Process.h"
#include "platform/SdlDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

TEST(SdlScreenRead, WhatAWindowPresentsIsReadBackFromTheScreen) {
    if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    const int number = 300 + int(std::random_device{}() % 400);
    const std::string name = ":" + std::to_string(number);
    TChildProcess xvfb;
    ASSERT_TRUE(
        xvfb.Start({"/usr/bin/Xvfb", name, "-screen", "0", "320x240x24", "-nolisten", "tcp"}));
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(std::filesystem::exists(socket)) << "Xvfb did not start";

    ScopedEnv display("DISPLAY", name.c_str());
    ScopedEnv driver("SDL_VIDEODRIVER", "x11");
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv scale("BRELVAN_SCALE", "1");
    std::string error;
    std::unique_ptr<Display> sdl = SdlDisplay::TryOpen(error);
    ASSERT_NE(sdl, nullptr) << error;
    const int id = sdl->CreateWindow({50, 40, 60, 30}, false);
    sdl->ShowWindow(id, true, true);
    std::vector<uint32_t> orange(60 * 30, 0x00FF8000);
    std::vector<uint32_t> read;
    // The server maps the window in its own time: present until the screen shows it.
    bool shown = false;
    for (int i = 0; i < 60 && !shown; ++i) {
        DisplayEvent e;
        while (sdl->PollEvent(e)) {
        }
        sdl->Present(id, orange.data(), 60, 30, {0, 0, 60, 30});
        shown = sdl->CopyScreenArea({50, 40, 60, 30}, read) && read[15 * 60 + 30] == 0xFF8000u;
        if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(shown);
    EXPECT_EQ(read[0], 0xFF8000u);
    EXPECT_EQ(read[29 * 60 + 59], 0xFF8000u);
    // Half off the screen's left edge: black there, the window's pixels on the screen.
    std::vector<uint32_t> edge;
    ASSERT_TRUE(sdl->CopyScreenArea({-10, 45, 80, 4}, edge));
    ASSERT_EQ(edge.size(), 320u);
    EXPECT_EQ(edge[0], 0u);
    EXPECT_EQ(edge[70], 0xFF8000u);

    EXPECT_TRUE(sdl->SupportsWindowOpacity());
    EXPECT_TRUE(sdl->SetWindowOpacity(id, 128));
    EXPECT_FALSE(sdl->SetWindowOpacity(id + 100, 128));
    sdl->DestroyWindow(id);
    sdl.reset();
}

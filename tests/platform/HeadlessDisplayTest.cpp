// The in-memory display: input goes to the window under the pointer (or the one that got
// the press), shapes decide what is under the pointer, presents copy only the dirty part.
#include <gtest/gtest.h>

#include "platform/HeadlessDisplay.h"

namespace {
std::vector<DisplayEvent> Drain(HeadlessDisplay& d) {
    std::vector<DisplayEvent> events;
    DisplayEvent e;
    while (d.PollEvent(e)) events.push_back(e);
    return events;
}
} // namespace

TEST(HeadlessDisplay, PointerEventsGoToTheWindowUnderItAndPressesGrab) {
    HeadlessDisplay d(800, 600);
    int back = d.CreateWindow({0, 0, 200, 200}, false);
    int front = d.CreateWindow({100, 100, 200, 200}, false);
    d.ShowWindow(back, true, false);
    d.ShowWindow(front, true, true);
    Drain(d);
    d.MouseMove(150, 150);
    d.MouseMove(50, 50);
    auto moves = Drain(d);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].window, front);
    EXPECT_EQ(moves[1].window, back);
    // A press on the back window activates it; until the release it gets everything.
    d.MouseDown();
    d.MouseMove(150, 150);
    d.MouseUp();
    auto events = Drain(d);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(d.ActiveWindow(), back);
    for (const DisplayEvent& e : events) {
        if (e.kind == DisplayEventKind::MouseMove || e.kind == DisplayEventKind::MouseUp) {
            EXPECT_EQ(e.window, back);
        }
    }
    EXPECT_EQ(d.Windows().back(), back); // raised
}

TEST(HeadlessDisplay, ShapesLetThePointerThrough) {
    HeadlessDisplay d;
    int below = d.CreateWindow({0, 0, 100, 100}, false);
    int shaped = d.CreateWindow({0, 0, 100, 100}, false);
    d.ShowWindow(below, true, false);
    d.ShowWindow(shaped, true, false);
    d.SetWindowShape(shaped, {{0, 0, 50, 100}});
    Drain(d);
    d.MouseMove(75, 10);
    d.MouseMove(25, 10);
    auto events = Drain(d);
    EXPECT_EQ(events[0].window, below);
    EXPECT_EQ(events[1].window, shaped);
}

TEST(HeadlessDisplay, PresentCopiesOnlyTheDirtyPartAndTheClockMovesOnlyWhenAsked) {
    HeadlessDisplay d;
    int w = d.CreateWindow({10, 10, 4, 4}, false);
    std::vector<uint32_t> pixels(16, 0xFF112233);
    d.Present(w, pixels.data(), 4, 4, {1, 1, 2, 2});
    EXPECT_EQ(d.PixelAt(w, 0, 0), 0u);
    EXPECT_EQ(d.PixelAt(w, 1, 1), 0x112233u); // alpha dropped
    EXPECT_EQ(d.PixelAt(w, 3, 3), 0u);
    EXPECT_EQ(d.PixelAt(w, 9, 9), 0u);
    EXPECT_EQ(d.Now(), 0u);
    DisplayEvent e;
    EXPECT_FALSE(d.WaitEvent(e, 40)); // waiting with nothing queued moves the fake clock
    EXPECT_EQ(d.Now(), 40u);
    d.Advance(10);
    EXPECT_EQ(d.Now(), 50u);
}

TEST(HeadlessDisplay, ScaledDisplayKeepsPointsAndStoresDevicePixels) {
    HeadlessDisplay d(800, 600, 2);
    EXPECT_EQ(d.DeviceScale(), 2);
    int w = d.CreateWindow({10, 10, 4, 3}, false);
    const HeadlessDisplay::Window* win = d.FindWindow(w);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->bounds.w, 4) << "bounds stay in points";
    EXPECT_EQ(win->DeviceWidth(), 8);
    EXPECT_EQ(win->pixels.size(), 8u * 6u);

    // A device-size surface, one device pixel of it different; the dirty part is in pixels.
    std::vector<uint32_t> pixels(8 * 6, 0xFF112233);
    pixels[3 * 8 + 5] = 0xFFABCDEF;
    d.Present(w, pixels.data(), 8, 6, {4, 2, 4, 4});
    EXPECT_EQ(d.FindWindow(w)->bounds.w, 4) << "a device-size surface leaves the size alone";
    EXPECT_EQ(d.DevicePixelAt(w, 5, 3), 0xABCDEFu);
    EXPECT_EQ(d.DevicePixelAt(w, 4, 2), 0x112233u);
    EXPECT_EQ(d.DevicePixelAt(w, 3, 2), 0u) << "left of the dirty part";
    EXPECT_EQ(d.PixelAt(w, 2, 1), 0x112233u) << "a point reads as its top-left pixel";
    EXPECT_EQ(d.PixelAt(w, 1, 1), 0u);
    EXPECT_EQ(d.PixelAt(w, 4, 0), 0u) << "outside the window in points";
    EXPECT_EQ(d.DevicePixelAt(w, 8, 0), 0u);

    // Resizing keeps the stored pixels that stay, at the device size of the new bounds.
    d.SetWindowBounds(w, {10, 10, 5, 5});
    EXPECT_EQ(d.FindWindow(w)->pixels.size(), 10u * 10u);
    EXPECT_EQ(d.DevicePixelAt(w, 5, 3), 0xABCDEFu);

    // Input stays in points: the window is found by its bounds in points.
    d.ShowWindow(w, true, false);
    d.MouseMove(12, 12);
    DisplayEvent e;
    ASSERT_TRUE(d.PollEvent(e));
    EXPECT_EQ(e.window, w);
    EXPECT_EQ(e.x, 12);

    // Scales outside 1..3 are taken as the nearest.
    EXPECT_EQ(HeadlessDisplay(100, 100, 0).DeviceScale(), 1);
    EXPECT_EQ(HeadlessDisplay(100, 100, 7).DeviceScale(), 3);
}

TEST(HeadlessDisplay, KeysCarryModifiersAndPrintableKeysTypeText) {
    HeadlessDisplay d;
    int w = d.CreateWindow({0, 0, 10, 10}, false);
    d.ShowWindow(w, true, true);
    Drain(d);
    d.KeyPress('A', ModShift);
    d.KeyPress('B');
    d.KeyPress('C', ModCtrl);
    std::string text;
    unsigned downMods = 0;
    for (const DisplayEvent& e : Drain(d)) {
        if (e.kind == DisplayEventKind::Text) text += e.text;
        if (e.kind == DisplayEventKind::KeyDown && e.key == 'A') downMods = e.mods;
        EXPECT_EQ(e.window, w);
    }
    EXPECT_EQ(text, "Ab"); // Ctrl+C types nothing
    EXPECT_EQ(downMods, ModShift);
    EXPECT_FALSE(d.KeyDown(0x10));
    d.SetClipboardText("x");
    EXPECT_EQ(d.ClipboardText(), "x");
}

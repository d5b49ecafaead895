#pragma once
// The display: the only place where top-level windows meet the operating system. The window
// system above draws every window into its own 32-bit surface and hands the changed part to
// the display; the display hands back input. Two implementations: SdlDisplay (real windows)
// and HeadlessDisplay (in memory, deterministic, driven by tests and tools).
//
// Pixels are 0x00RRGGBB in a uint32_t, rows top to bottom. Coordinates of windows are screen
// coordinates; event coordinates are screen coordinates too. All coordinates are logical
// points; only the surfaces handed to Present are in device pixels, DeviceScale() of them to a
// point in each direction.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct DisplayRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const DisplayRect&) const = default;
};

// Cursor shapes the display can show. Custom cursors are images (see SetCursorImage).
enum class CursorShape { Arrow, IBeam, Wait, Cross, Hand, SizeWE, SizeNS, SizeAll, No, Drag };

enum class DisplayEventKind {
    None,
    MouseMove,
    MouseDown,
    MouseUp,
    Wheel,   // wheel = notches, positive away from the user
    KeyDown, // key = virtual-key code, repeat = auto-repeat
    KeyUp,
    Text,     // text = UTF-8 characters typed
    Close,    // the system asks the window to close
    Expose,   // the window's content was lost and must be presented again
    Activate, // the window became the active one
    Deactivate,
    Minimized,
    Restored,
    Moved, // x, y = new position
};

struct DisplayEvent {
    DisplayEventKind kind = DisplayEventKind::None;
    int window = 0; // display window id (0: none)
    int x = 0;      // screen coordinates of the pointer
    int y = 0;
    int button = 0; // 1 left, 2 right, 3 middle
    int wheel = 0;
    int key = 0;
    bool repeat = false;
    unsigned mods = 0; // ModShift | ModCtrl | ModAlt
    std::string text;
};

constexpr unsigned ModShift = 1;
constexpr unsigned ModCtrl = 2;
constexpr unsigned ModAlt = 4;

class Display {
public:
    virtual ~Display() = default;

    // Top-level windows. Ids are positive and never reused within a process.
    virtual int CreateWindow(const DisplayRect& bounds, bool popup) = 0;
    virtual void DestroyWindow(int id) = 0;
    virtual void SetWindowBounds(int id, const DisplayRect& bounds) = 0;
    virtual void ShowWindow(int id, bool show, bool activate) = 0;
    virtual void SetWindowTitle(int id, const std::string& utf8) = 0;
    // The picture the system shows for the window (task bar, window switcher): w x h pixels
    // 0xAARRGGBB. Displays without such a place ignore it.
    virtual void SetWindowIcon(int /*id*/, const uint32_t* /*argb*/, int /*w*/, int /*h*/) {}
    // Shape from rectangles in window coordinates; an empty list makes it rectangular again.
    // Displays that cannot shape windows ignore it.
    virtual void SetWindowShape(int id, const std::vector<DisplayRect>& rects) = 0;
    virtual void MinimizeWindow(int id) = 0;
    virtual void RestoreWindow(int id) = 0;
    virtual void RaiseWindow(int id) = 0;

    // Whether the system shows top-level windows partly transparent (SetWindowOpacity).
    virtual bool SupportsWindowOpacity() { return false; }
    // The window's opacity, 0 (invisible) to 255 (opaque); false where the system cannot.
    virtual bool SetWindowOpacity(int /*id*/, int /*alpha*/) { return false; }
    // What the screen shows in `area` (screen points), one pixel a point, 0x00RRGGBB, rows top
    // to bottom; false where the system does not let a program read the screen.
    virtual bool CopyScreenArea(const DisplayRect& /*area*/, std::vector<uint32_t>& /*pixels*/) {
        return false;
    }

    // Device pixels per logical point (1, 2 or 3), the same for every window of the process
    // and fixed once the display is open.
    virtual int DeviceScale() { return 1; }

    // Where the window's own frame may be dragged by the system (a caption): the display asks
    // `test` with a point in window coordinates; true lets the system move the window from
    // that point. Displays that move windows through the program ignore it.
    virtual void SetWindowDragTest(int /*id*/, std::function<bool(int x, int y)> /*test*/) {}

    // Copies the `dirty` part (device pixels) of a whole-window surface of w x h device pixels
    // to the screen.
    virtual void Present(int id, const uint32_t* pixels, int w, int h,
                         const DisplayRect& dirty) = 0;

    // Input. PollEvent never blocks; WaitEvent blocks up to timeoutMs (or advances the fake
    // clock of the headless display by that much) and returns false when nothing came.
    virtual bool PollEvent(DisplayEvent& event) = 0;
    virtual bool WaitEvent(DisplayEvent& event, int timeoutMs) = 0;

    // Milliseconds since an arbitrary start; the headless display's clock is fake.
    virtual uint64_t Now() = 0;

    virtual DisplayRect ScreenRect() = 0;
    virtual DisplayRect WorkArea() = 0;
    virtual void CursorPos(int& x, int& y) = 0;
    virtual bool KeyDown(int vk) = 0; // is the key held now

    virtual void SetCursor(CursorShape shape) = 0;
    // Image cursor from 0xAARRGGBB pixels; returns an id for SetCursorImage.
    virtual int CreateCursorImage(const uint32_t* argb, int w, int h, int hotX, int hotY) = 0;
    virtual void SetCursorImage(int cursorId) = 0;

    virtual void SetClipboardText(const std::string& utf8) = 0;
    virtual std::string ClipboardText() = 0;

    virtual void StartTextInput() = 0;
    virtual void StopTextInput() = 0;

    // The system's default sound for a refused input (nothing where there is none).
    virtual void Beep() {}

    // Ends a WaitEvent in progress (it returns false), or the next one, at once. The one call
    // that is safe from any thread: work done beside the UI thread uses it to hand back its
    // result. Displays whose wait never blocks need nothing.
    virtual void Wake() {}
};

// The process's display, installed by the program's entry before any window exists: the real
// program installs the SDL display (SetDisplay(SdlDisplay::Open()), library `sdldisplay`),
// tests and tools that paint off screen a HeadlessDisplay, so that they need no SDL at all.
// CurrentDisplay() without one installed is a fault of the program: it says so and aborts.
Display& CurrentDisplay();
bool HasDisplay();
void SetDisplay(std::unique_ptr<Display> display);

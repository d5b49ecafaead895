#include "platform/SdlDisplay.h"

#include "platform/DeviceScale.h"
#include "platform/DeviceSurface.h"
#include "platform/OwnEnvironment.h"
#include "platform/ShapeAlpha.h"
#include "platform/WaylandBuffers.h"
#include "platform/WaylandHandles.h"
#include "platform/XDesktop.h"
#include "platform/XWindowShape.h"

#include <SDL.h>
#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// SDL key codes to the platform's virtual-key numbers.
int ToVirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 0x70 + (k - SDLK_F1);
    switch (k) {
    case SDLK_BACKSPACE:
        return 0x08;
    case SDLK_TAB:
        return 0x09;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 0x0D;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 0x11;
    case SDLK_LALT:
    case SDLK_RALT:
        return 0x12;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_CAPSLOCK:
        return 0x14;
    case SDLK_ESCAPE:
        return 0x1B;
    case SDLK_SPACE:
        return 0x20;
    case SDLK_PAGEUP:
        return 0x21;
    case SDLK_PAGEDOWN:
        return 0x22;
    case SDLK_END:
        return 0x23;
    case SDLK_HOME:
        return 0x24;
    case SDLK_LEFT:
        return 0x25;
    case SDLK_UP:
        return 0x26;
    case SDLK_RIGHT:
        return 0x27;
    case SDLK_DOWN:
        return 0x28;
    case SDLK_INSERT:
        return 0x2D;
    case SDLK_DELETE:
        return 0x2E;
    case SDLK_APPLICATION:
        return 0x5D;
    case SDLK_KP_0:
        return 0x60;
    case SDLK_KP_MULTIPLY:
        return 0x6A;
    case SDLK_KP_PLUS:
        return 0x6B;
    case SDLK_KP_MINUS:
        return 0x6D;
    case SDLK_KP_PERIOD:
        return 0x6E;
    case SDLK_KP_DIVIDE:
        return 0x6F;
    case SDLK_SEMICOLON:
        return 0xBA;
    case SDLK_EQUALS:
        return 0xBB;
    case SDLK_COMMA:
        return 0xBC;
    case SDLK_MINUS:
        return 0xBD;
    case SDLK_PERIOD:
        return 0xBE;
    case SDLK_SLASH:
        return 0xBF;
    case SDLK_BACKQUOTE:
        return 0xC0;
    case SDLK_LEFTBRACKET:
        return 0xDB;
    case SDLK_BACKSLASH:
        return 0xDC;
    case SDLK_RIGHTBRACKET:
        return 0xDD;
    case SDLK_QUOTE:
        return 0xDE;
    default:
        break;
    }
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 0x61 + (k - SDLK_KP_1);
    return 0;
}

unsigned ModsFrom(Uint16 mod) {
    return ((mod & KMOD_SHIFT) ? ModShift : 0) | ((mod & KMOD_CTRL) ? ModCtrl : 0) |
           ((mod & KMOD_ALT) ? ModAlt : 0);
}

bool HasValue(const char* text) {
    return text && *text;
}

// Drivers that draw into memory only.
bool IsInvisibleDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// The X error record as Xlib hands it to an error handler (the layout Xlib fixes).
struct XErrorRecord {
    int type;
    void* display;
    unsigned long resourceId;
    unsigned long serial;
    unsigned char errorCode;
    unsigned char requestCode;
    unsigned char minorCode;
};
using XErrorHandlerFn = int (*)(void*, XErrorRecord*);
using XSetErrorHandlerFn = XErrorHandlerFn (*)(XErrorHandlerFn);

constexpr unsigned char kXBadWindow = 3;
XErrorHandlerFn previousXErrorHandler = nullptr;

// SDL may still address a window of ours that the server has just destroyed (its wake-up
// message races the window's end). Xlib's default answer to that is to end the process with
// status 1, so a window closed at the wrong moment would report a failure. A window that is
// already gone needs nothing more; every other error goes on to the handler before ours.
int TolerateGoneWindows(void* display, XErrorRecord* error) {
    if (error && error->errorCode == kXBadWindow) return 0;
    return previousXErrorHandler ? previousXErrorHandler(display, error) : 0;
}

void InstallXErrorTolerance() {
    // Before SDL starts: it keeps the handler it finds and puts it back when it quits, which
    // is also when the last of those errors arrives. Xlib stays loaded for the process.
    if (!HasValue(std::getenv("DISPLAY"))) return;
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_GLOBAL);
    if (!xlib) return;
    auto set = reinterpret_cast<XSetErrorHandlerFn>(dlsym(xlib, "XSetErrorHandler"));
    if (!set) return;
    XErrorHandlerFn previous = set(TolerateGoneWindows);
    if (previous != TolerateGoneWindows) previousXErrorHandler = previous;
}

using XIOErrorHandlerFn = int (*)(void*);
using XSetIOErrorHandlerFn = XIOErrorHandlerFn (*)(XIOErrorHandlerFn);

// The connection to the X server is gone: the server ended, or the session did. Nothing can
// be drawn or closed on it any more, and Xlib's own answer, exit(1), runs the exit handlers,
// which destroy the windows and wait on the dead connection for ever. One line says why, and
// the process ends at once without touching the display again.
int EndWithLostDisplay(void*) {
    char line[256];
    const int length =
        std::snprintf(line, sizeof line, "%s: the connection to the display was lost; ending\n",
                      program_invocation_short_name);
    if (length > 0) {
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, line, std::min<std::size_t>(std::size_t(length), sizeof line));
    }
    ::_exit(1);
}

// After SDL has opened the display: it may put a handler of its own in place as it starts.
void EndOnLostDisplay() {
    if (!HasValue(std::getenv("DISPLAY"))) return;
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!xlib) return; // SDL does not talk to an X server
    if (auto set = reinterpret_cast<XSetIOErrorHandlerFn>(dlsym(xlib, "XSetIOErrorHandler")))
        set(EndWithLostDisplay);
}

// A folder of the user's cache ($XDG_CACHE_HOME, else ~/.cache), made with its parents and
// private to the user; empty when it cannot be made.
std::string UserCacheFolder(const std::string& name) {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::string(home) + "/.cache";
    else
        return {};
    std::string path = base + "/" + name;
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return {};
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    return path;
}

// Fresh memory (a new window surface, shared with the display server) is faulted in page by
// page as it is first written; asking for all of it at once is much cheaper. Only advice:
// systems without it fault as before.
void PopulateForWriting(void* memory, std::size_t bytes) {
    if (!memory || bytes == 0) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(memory) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(memory) + bytes;
    ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

// Where SDL keeps a shaped window while its shape is being made.
constexpr int ShapedParkingSpot = -1000;

// Floor division: a point left of or above a window stays outside it.
int FloorDiv(int value, int by) {
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

// Sizes of SDL windows: never empty.
int AtLeastOne(int v) {
    return v > 0 ? v : 1;
}

int ButtonFrom(Uint8 b) {
    if (b == SDL_BUTTON_LEFT) return 1;
    if (b == SDL_BUTTON_RIGHT) return 2;
    if (b == SDL_BUTTON_MIDDLE) return 3;
    return 0;
}
} // namespace

std::unique_ptr<Display> SdlDisplay::Open() {
    std::string error;
    std::unique_ptr<Display> display = TryOpen(error);
    if (!display) {
        std::fprintf(stderr, "Cannot open a display: %s\n", error.c_str());
        std::exit(1);
    }
    return display;
}

void SdlDisplay::PrepareEnvironment() {
    // With no message bus named, the bus library starts one of its own for SDL's input-method
    // and screen-saver lookups: a process forked and waited for at every start, and a bus
    // left running after the program. A session without a bus has nothing there to find.
    if (!HasValue(std::getenv("DBUS_SESSION_BUS_ADDRESS")))
        SetOwnEnvironment("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // The X library compiles the keyboard's compose table (half a megabyte of text) at every
    // start unless it may keep the compiled table in a folder of the user's; it never does
    // for root's programs.
    if (::geteuid() != 0 && !std::getenv("XCOMPOSECACHE")) {
        const std::string folder = UserCacheFolder("brelvan/compose");
        if (!folder.empty()) SetOwnEnvironment("XCOMPOSECACHE", folder);
    }
}

std::unique_ptr<Display> SdlDisplay::TryOpen(std::string& error) {
    // Without a screen SDL falls back to drawing into memory, and the program would run with
    // a window nobody can see. A driver the user names on purpose is taken as it is.
    const bool driverChosen = HasValue(std::getenv("SDL_VIDEODRIVER"));
    if (!driverChosen && !HasValue(std::getenv("DISPLAY")) &&
        !HasValue(std::getenv("WAYLAND_DISPLAY"))) {
        error = "no screen to show windows on: neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    // SDL itself tries X11 first, and a Wayland session has one too (XWayland): the session's
    // own compositor is asked first, the X server when it cannot be reached.
    bool started = false;
    std::string waylandError;
    if (!driverChosen && HasValue(std::getenv("WAYLAND_DISPLAY"))) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
        started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
        if (!started) {
            waylandError = SDL_GetError();
            SDL_Quit();
        }
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (!started && !HasValue(std::getenv("DISPLAY"))) {
            error = "the Wayland compositor cannot be reached: " + waylandError;
            return nullptr;
        }
    }
    if (!started) {
        InstallXErrorTolerance();
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
            error = SDL_GetError();
            SDL_Quit();
            return nullptr;
        }
    }
    if (!driverChosen && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        error = "no screen to show windows on";
        SDL_Quit();
        return nullptr;
    }
    EndOnLostDisplay();
    SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
    // On X11 a window's surface drawn through a renderer makes SDL recreate the window for
    // the renderer, and the new window has lost its shape and its icon; the plain X
    // framebuffer keeps the window as it was made.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool x11 = driver && std::strcmp(driver, "x11") == 0;
    if (x11) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    auto* display = new SdlDisplay();
    display->m_globalMouse = x11;
    display->m_wayland = driver && std::strcmp(driver, "wayland") == 0;
    display->m_wakeEvent = SDL_RegisterEvents(1);
    display->PrepareScale();
    return std::unique_ptr<Display>(display);
}

void SdlDisplay::PrepareScale() {
    const char* setting = std::getenv("BRELVAN_SCALE");
    m_scale = ScaleSetting(setting);
    if (!m_scale && HasValue(setting))
        std::fprintf(stderr, "BRELVAN_SCALE=%s is not 1, 2 or 3; the screen's own scale is used\n",
                     setting);
    if (m_wayland) {
        // SDL names its connection only through a window; one that is never shown serves, and
        // is kept: without a window left SDL would unload its GL library, which the next
        // window loads again at great cost.
        m_probe = SDL_CreateWindow(
            "", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALLOW_HIGHDPI);
        if (wl_display* connection = WaylandConnectionOf(m_probe))
            m_shm = WaylandShm::Connect(connection);
        if (!m_scale) m_scale = m_shm ? ClampScale(m_shm->OutputScale()) : 1;
        // SDL gives Wayland windows in points itself.
        m_unit = 1;
        // Without shared memory the windows are drawn through SDL's own surface, one pixel a
        // point.
        if (!m_shm) m_scale = 1;
        return;
    }
    if (!m_scale && m_globalMouse) {
        m_scale = ScaleSetting(std::getenv("GDK_SCALE"));
        if (!m_scale) m_scale = ScaleFromDpi(XftDpi(XResourceText()));
    }
    if (!m_scale) m_scale = 1;
    m_unit = m_scale;
}

SdlDisplay::Win::Win() = default;
SdlDisplay::Win::~Win() = default;
SdlDisplay::Win::Win(Win&&) noexcept = default;

SdlDisplay::~SdlDisplay() {
    for (auto& [id, w] : m_windows) {
        w.buffers.reset();
        SDL_DestroyWindow(w.window);
    }
    m_windows.clear();
    for (auto& [id, c] : m_systemCursors) SDL_FreeCursor(c);
    for (auto& [id, c] : m_imageCursors) SDL_FreeCursor(c);
    // Bound on SDL's connection: gone before it is.
    m_shm.reset();
    // SDL 2.26 takes a Wayland connection down leaving memory of its own and of the GL library
    // behind, which leak checkers rightly report; the process is ending, and the end of the
    // connection frees everything on the compositor's side. SDL stays as it is.
    if (m_wayland) return;
    if (m_probe) SDL_DestroyWindow(m_probe);
    SDL_Quit();
}

int SdlDisplay::ToPoints(int units) const {
    return FloorDiv(units, m_unit);
}

int SdlDisplay::CreateWindow(const DisplayRect& b, bool popup) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (popup && !m_wayland) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP;
    if (m_shm && m_scale > 1) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    SDL_Window* w = SDL_CreateWindow("", ToUnits(b.x), ToUnits(b.y), ToUnits(AtLeastOne(b.w)),
                                     ToUnits(AtLeastOne(b.h)), flags);
    if (!w) return 0;
    std::unique_ptr<WaylandWindowBuffers> buffers;
    if (m_shm) {
        wl_surface* surface = WaylandSurfaceOf(w);
        if (!surface) {
            SDL_DestroyWindow(w);
            return 0;
        }
        buffers = std::make_unique<WaylandWindowBuffers>(*m_shm, surface);
    }
    int id = m_nextId++;
    Win& win = m_windows[id];
    win.window = w;
    win.bounds = b;
    win.popup = popup;
    win.buffers = std::move(buffers);
    if (win.buffers) win.alpha = std::make_unique<ShapeAlpha>(std::vector<DisplayRect>{}, m_scale);
    return id;
}

void SdlDisplay::DestroyWindow(int id) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    it->second.buffers.reset();
    SDL_DestroyWindow(it->second.window);
    m_windows.erase(it);
}

void SdlDisplay::SetWindowBounds(int id, const DisplayRect& b) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Win& win = it->second;
    const bool resized = b.w != win.bounds.w || b.h != win.bounds.h;
    win.bounds = b;
    // Resizing a shaped window parks it off screen until it has a shape of the new size, so
    // a window that only moves is not resized, and a resized one gets its shape again.
    if (resized) {
        SDL_SetWindowSize(win.window, ToUnits(AtLeastOne(b.w)), ToUnits(AtLeastOne(b.h)));
        if (win.buffers && win.visible) KeepSize(win);
    }
    SDL_SetWindowPosition(win.window, ToUnits(b.x), ToUnits(b.y));
    if (resized && SDL_IsShapedWindow(win.window)) ApplyShape(win);
}

void SdlDisplay::KeepSize(Win& win) {
    const int w = AtLeastOne(win.bounds.w), h = AtLeastOne(win.bounds.h);
    // The least may never pass the most: the order depends on which way the size goes.
    int leastW = 0, leastH = 0;
    SDL_GetWindowMinimumSize(win.window, &leastW, &leastH);
    if (leastW > w || leastH > h) {
        SDL_SetWindowMinimumSize(win.window, w, h);
        SDL_SetWindowMaximumSize(win.window, w, h);
    } else {
        SDL_SetWindowMaximumSize(win.window, w, h);
        SDL_SetWindowMinimumSize(win.window, w, h);
    }
}

void SdlDisplay::ShowWindow(int id, bool show, bool activate) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    // SDL 2.26 makes a Wayland popup the child of the window with the keyboard and crashes
    // when none has it; shown as a window of its own instead, a hint would take the keyboard
    // and sit where the compositor puts it. Hints are therefore not shown there.
    if (show && it->second.popup && m_wayland) return;
    Win& win = it->second;
    // A window manager may place a window that comes back from hiding as a new one; on X11
    // it is put back where it was when it went.
    const bool wasHidden = win.hiddenAtKnown && !win.visible;
    if (!show && win.visible && !m_wayland && !win.popup) {
        SDL_GetWindowPosition(win.window, &win.hiddenAtX, &win.hiddenAtY);
        win.hiddenAtKnown = true;
    }
    it->second.visible = show;
    if (show) {
        SDL_ShowWindow(it->second.window);
        if (wasHidden) {
            SDL_SetWindowPosition(win.window, win.hiddenAtX, win.hiddenAtY);
            win.hiddenAtKnown = false;
        }
        if (it->second.buffers) {
            // A window shown again is a new one to the compositor: its size and its picture
            // are told again.
            KeepSize(it->second);
            ShowWholePicture(it->second);
        }
        if (activate) SDL_RaiseWindow(it->second.window);
    } else {
        SDL_HideWindow(it->second.window);
    }
}

void SdlDisplay::SetWindowTitle(int id, const std::string& utf8) {
    auto it = m_windows.find(id);
    if (it != m_windows.end()) SDL_SetWindowTitle(it->second.window, utf8.c_str());
}

void SdlDisplay::SetWindowIcon(int id, const uint32_t* argb, int w, int h) {
    auto it = m_windows.find(id);
    if (it == m_windows.end() || !argb || w <= 0 || h <= 0) return;
    Win& win = it->second;
    win.iconWidth = w;
    win.iconHeight = h;
    win.icon.assign(argb, argb + size_t(w) * size_t(h));
    ApplyIcon(win);
}

void SdlDisplay::ApplyIcon(Win& win) {
    if (win.icon.empty()) return;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(win.icon.data(), win.iconWidth, win.iconHeight, 32,
                                           win.iconWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(win.window, surface);
    SDL_FreeSurface(surface);
}

void SdlDisplay::SetWindowShape(int id, const std::vector<DisplayRect>& rects) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Win& win = it->second;
    win.shape = rects;
    if (win.buffers) {
        // Outside the shape the window's pixels are transparent.
        win.alpha = std::make_unique<ShapeAlpha>(rects, m_scale);
        ShowWholePicture(win);
        return;
    }
    // On X11 the server shapes the window itself from the rectangles.
    if (!SDL_IsShapedWindow(win.window)) {
        std::vector<XShapeRect> xrects;
        xrects.reserve(rects.size());
        for (const DisplayRect& r : rects)
            xrects.push_back(XShapeRect{ToUnits(r.x), ToUnits(r.y), ToUnits(r.w), ToUnits(r.h)});
        if (SetXWindowShape(win.window, xrects)) return;
    }
    if (!SDL_IsShapedWindow(win.window)) {
        // A plain window is rectangular already; only a real shape is worth a shaped window.
        if (rects.empty() || win.shapeFailed) return;
        if (!MakeShaped(win)) {
            win.shapeFailed = true;
            return;
        }
    }
    ApplyShape(win);
}

bool SdlDisplay::MakeShaped(Win& win) {
    int w = 1, h = 1;
    SDL_GetWindowSize(win.window, &w, &h);
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (win.popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP;
    // Shaped windows are made off screen and placed when they get their first shape.
    SDL_Window* shaped = SDL_CreateShapedWindow(SDL_GetWindowTitle(win.window), 0, 0, unsigned(w),
                                                unsigned(h), flags);
    if (!shaped) return false;
    SDL_DestroyWindow(win.window);
    win.window = shaped;
    ApplyIcon(win);
    ApplyDragTest(win);
    return true;
}

void SdlDisplay::ApplyShape(Win& win) {
    // The mask must have the window's size exactly.
    int w = 1, h = 1;
    SDL_GetWindowSize(win.window, &w, &h);
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return;
    if (win.shape.empty()) {
        SDL_FillRect(mask, nullptr, 0xFFFFFFFF);
    } else {
        SDL_FillRect(mask, nullptr, 0);
        for (const DisplayRect& r : win.shape) {
            SDL_Rect sr{ToUnits(r.x), ToUnits(r.y), ToUnits(r.w), ToUnits(r.h)};
            SDL_FillRect(mask, &sr, 0xFFFFFFFF);
        }
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(win.window, mask, &mode);
    SDL_FreeSurface(mask);
    // Setting a shape may move a fresh shaped window; keep it where the program put it.
    SDL_SetWindowPosition(win.window, ToUnits(win.bounds.x), ToUnits(win.bounds.y));
    if (win.visible) {
        SDL_ShowWindow(win.window);
        // The window's pixels may be gone: ask the program to present them again.
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_EXPOSED;
        e.window.windowID = SDL_GetWindowID(win.window);
        SDL_PushEvent(&e);
    }
}

void SdlDisplay::MinimizeWindow(int id) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    SDL_MinimizeWindow(it->second.window);
    if (m_wayland) it->second.minimizeAsked = true;
}

bool SdlDisplay::SetWindowOpacity(int id, int alpha) {
    auto it = m_windows.find(id);
    if (it == m_windows.end() || m_wayland) return false;
    return SDL_SetWindowOpacity(it->second.window, float(std::clamp(alpha, 0, 255)) / 255.0f) == 0;
}

bool SdlDisplay::CopyScreenArea(const DisplayRect& area, std::vector<uint32_t>& pixels) {
    if (m_wayland || m_windows.empty() || area.w <= 0 || area.h <= 0) return false;
    // The screen in device pixels, then one pixel a point: the top-left pixel of each block.
    const int k = m_scale;
    std::vector<uint32_t> screen;
    if (!XScreenImage(m_windows.begin()->second.window, area.x * k, area.y * k, area.w * k,
                      area.h * k, screen))
        return false;
    pixels.resize(std::size_t(area.w) * std::size_t(area.h));
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            pixels[std::size_t(y) * area.w + x] =
                screen[std::size_t(y) * k * std::size_t(area.w) * k + std::size_t(x) * k];
    return true;
}

void SdlDisplay::RestoreWindow(int id) {
    auto it = m_windows.find(id);
    if (it != m_windows.end()) SDL_RestoreWindow(it->second.window);
}

void SdlDisplay::RaiseWindow(int id) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    SDL_RaiseWindow(it->second.window);
    // Raising asks a window manager for the keyboard too; without one nobody gives it, and
    // after a box closes the keys would go nowhere until the window is clicked.
    if (it->second.visible) SDL_SetWindowInputFocus(it->second.window);
}

void SdlDisplay::Present(int id, const uint32_t* pixels, int w, int h, const DisplayRect& d) {
    auto it = m_windows.find(id);
    if (it == m_windows.end() || !pixels || w <= 0 || h <= 0) return;
    if (it->second.buffers)
        PresentToBuffers(it->second, pixels, w, h, d);
    else
        PresentToSurface(it->second, pixels, w, h, d);
}

void SdlDisplay::PresentToSurface(Win& win, const uint32_t* pixels, int w, int h,
                                  const DisplayRect& d) {
    SDL_Surface* surface = SDL_GetWindowSurface(win.window);
    if (!surface) return;
    if (surface->pixels != win.surfacePixels) {
        win.surfacePixels = surface->pixels;
        PopulateForWriting(surface->pixels, std::size_t(surface->pitch) * std::size_t(surface->h));
    }
    const int factor = EnlargeFactor(w, h, surface->w, surface->h);
    const DisplayRect dirty = ClippedRect(ScaledRect(ClippedRect(d, {0, 0, w, h}), factor),
                                          {0, 0, surface->w, surface->h});
    if (dirty.w <= 0 || dirty.h <= 0) return;
    SDL_Rect r{dirty.x, dirty.y, dirty.w, dirty.h};
    const Uint32 format = surface->format->format;
    if (factor > 1 && (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888)) {
        // The same layout: enlarged straight into the window's memory.
        if (SDL_LockSurface(surface) != 0) return;
        CopyEnlarged(pixels, w, factor, dirty, static_cast<uint32_t*>(surface->pixels),
                     surface->pitch / 4);
        SDL_UnlockSurface(surface);
    } else if (factor > 1) {
        std::vector<uint32_t> enlarged(std::size_t(surface->w) * std::size_t(surface->h));
        CopyEnlarged(pixels, w, factor, dirty, enlarged.data(), surface->w);
        SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(
            enlarged.data(), surface->w, surface->h, 32, surface->w * 4, SDL_PIXELFORMAT_XRGB8888);
        if (!src) return;
        SDL_BlitSurface(src, &r, surface, &r);
        SDL_FreeSurface(src);
    } else {
        SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), w, h,
                                                              32, w * 4, SDL_PIXELFORMAT_XRGB8888);
        if (!src) return;
        SDL_BlitSurface(src, &r, surface, &r);
        SDL_FreeSurface(src);
    }
    SDL_UpdateWindowSurfaceRects(win.window, &r, 1);
}

void SdlDisplay::PresentToBuffers(Win& win, const uint32_t* pixels, int w, int h,
                                  const DisplayRect& d) {
    const int deviceW = AtLeastOne(win.bounds.w) * m_scale;
    const int deviceH = AtLeastOne(win.bounds.h) * m_scale;
    bool whole = false;
    if (win.pictureWidth != deviceW || win.pictureHeight != deviceH) {
        win.picture.assign(std::size_t(deviceW) * std::size_t(deviceH), 0);
        win.pictureWidth = deviceW;
        win.pictureHeight = deviceH;
        whole = true;
    }
    const int factor = EnlargeFactor(w, h, deviceW, deviceH);
    const DisplayRect dirty =
        ClippedRect(ScaledRect(ClippedRect(d, {0, 0, w, h}), factor), {0, 0, deviceW, deviceH});
    CopyEnlarged(pixels, w, factor, dirty, win.picture.data(), deviceW);
    if (!win.visible) return; // shown whole when it shows
    win.buffers->Show(win.picture.data(), deviceW, deviceH,
                      whole ? DisplayRect{0, 0, deviceW, deviceH} : dirty, *win.alpha, m_scale);
}

void SdlDisplay::ShowWholePicture(Win& win) {
    if (!win.buffers || !win.visible || win.picture.empty()) return;
    win.buffers->Show(win.picture.data(), win.pictureWidth, win.pictureHeight,
                      {0, 0, win.pictureWidth, win.pictureHeight}, *win.alpha, m_scale);
}

// The system asks, for a press on a window, whether it may move the window from there.
struct SdlHitTest {
    static SDL_HitTestResult At(SDL_Window* window, const SDL_Point* point, void* data) {
        auto* display = static_cast<SdlDisplay*>(data);
        if (!point || !display->DraggableAt(window, point->x, point->y)) return SDL_HITTEST_NORMAL;
        return SDL_HITTEST_DRAGGABLE;
    }
};

void SdlDisplay::SetWindowDragTest(int id, std::function<bool(int x, int y)> test) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    it->second.dragTest = std::move(test);
    ApplyDragTest(it->second);
}

void SdlDisplay::ApplyDragTest(Win& win) {
    // A Wayland compositor moves windows only itself; on X11 a window manager does it for
    // clients that ask, and without one the program moves the window as before.
    const bool bySystem =
        win.dragTest && (m_wayland || (m_globalMouse && XWindowManagerMovesWindows(win.window)));
    SDL_SetWindowHitTest(win.window, bySystem ? &SdlHitTest::At : nullptr, this);
}

bool SdlDisplay::DraggableAt(SDL_Window* window, int x, int y) {
    for (auto& [id, win] : m_windows) {
        if (win.window != window) continue;
        if (!win.dragTest) return false;
        // A copy: the test may reach code that replaces it.
        const auto test = win.dragTest;
        return test(ToPoints(x), ToPoints(y));
    }
    return false;
}

int SdlDisplay::IdOf(uint32_t sdlWindowId) const {
    SDL_Window* w = SDL_GetWindowFromID(sdlWindowId);
    for (const auto& [id, win] : m_windows)
        if (win.window == w) return id;
    return 0;
}

bool SdlDisplay::Translate(const void* raw, DisplayEvent& out) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    out = DisplayEvent{};
    auto screenPos = [&](uint32_t windowId, int x, int y) {
        int id = IdOf(windowId);
        out.window = id;
        // Where the program put the window: SDL's own idea of it can still be the place a
        // shaped window was made at off screen.
        int wx = 0, wy = 0;
        auto it = m_windows.find(id);
        if (it != m_windows.end()) {
            wx = it->second.bounds.x;
            wy = it->second.bounds.y;
        }
        out.x = ToPoints(x) + wx;
        out.y = ToPoints(y) + wy;
        // A window that moves under the pointer (dragged by its caption) sees events
        // relative to where it was when they happened; the pointer's place on the screen is
        // what a drag follows.
        if (m_globalMouse) {
            SDL_GetGlobalMouseState(&out.x, &out.y);
            out.x = ToPoints(out.x);
            out.y = ToPoints(out.y);
        }
        m_pointerX = out.x;
        m_pointerY = out.y;
    };
    switch (e.type) {
    case SDL_MOUSEMOTION:
        out.kind = DisplayEventKind::MouseMove;
        screenPos(e.motion.windowID, e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind =
            e.type == SDL_MOUSEBUTTONDOWN ? DisplayEventKind::MouseDown : DisplayEventKind::MouseUp;
        out.button = ButtonFrom(e.button.button);
        if (!out.button) return false;
        screenPos(e.button.windowID, e.button.x, e.button.y);
        break;
    case SDL_MOUSEWHEEL: {
        out.kind = DisplayEventKind::Wheel;
        out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (!out.wheel) return false;
        out.window = IdOf(e.wheel.windowID);
        if (m_globalMouse) {
            int x = 0, y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            out.x = ToPoints(x);
            out.y = ToPoints(y);
        } else {
            // Where no one tells the pointer's place on the screen, it is the window's place
            // as the program knows it plus the pointer's place in the window.
            auto it = m_windows.find(out.window);
            const DisplayRect at = it != m_windows.end() ? it->second.bounds : DisplayRect{};
            out.x = at.x + ToPoints(e.wheel.mouseX);
            out.y = at.y + ToPoints(e.wheel.mouseY);
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = e.type == SDL_KEYDOWN ? DisplayEventKind::KeyDown : DisplayEventKind::KeyUp;
        out.key = ToVirtualKey(e.key.keysym.sym);
        if (!out.key) return false;
        out.repeat = e.key.repeat != 0;
        out.mods = ModsFrom(e.key.keysym.mod);
        out.window = IdOf(e.key.windowID);
        m_keys[out.key] = e.type == SDL_KEYDOWN;
        break;
    case SDL_TEXTINPUT:
        out.kind = DisplayEventKind::Text;
        out.text = e.text.text;
        out.window = IdOf(e.text.windowID);
        break;
    case SDL_WINDOWEVENT:
        out.window = IdOf(e.window.windowID);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = DisplayEventKind::Close;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            out.kind = DisplayEventKind::Expose;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = DisplayEventKind::Activate;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = DisplayEventKind::Deactivate;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            out.kind = DisplayEventKind::Minimized;
            break;
        case SDL_WINDOWEVENT_RESTORED:
            out.kind = DisplayEventKind::Restored;
            break;
        case SDL_WINDOWEVENT_MOVED: {
            // A Wayland compositor never says where a window is; SDL's number is only what
            // the program asked for.
            if (m_wayland) return false;
            // A shaped window being reshaped passes through SDL's parking place off screen;
            // that is no move of the program's window.
            if (e.window.data1 == ShapedParkingSpot && e.window.data2 == ShapedParkingSpot) {
                auto parked = m_windows.find(out.window);
                if (parked != m_windows.end() && SDL_IsShapedWindow(parked->second.window))
                    return false;
            }
            out.kind = DisplayEventKind::Moved;
            out.x = ToPoints(e.window.data1);
            out.y = ToPoints(e.window.data2);
            // Moved by the system (a window manager): remember the new place.
            auto it = m_windows.find(out.window);
            if (it != m_windows.end()) {
                it->second.bounds.x = out.x;
                it->second.bounds.y = out.y;
            }
            break;
        }
        default:
            return false;
        }
        break;
    case SDL_QUIT:
        // SDL says the same when the compositor has gone away; that is no user's close.
        if (m_shm && m_shm->ConnectionLost()) EndWithLostDisplay(nullptr);
        out.kind = DisplayEventKind::Close;
        out.window = m_windows.empty() ? 0 : m_windows.begin()->first;
        break;
    default:
        return false;
    }
    return true;
}

bool SdlDisplay::BackFromMinimized(const void* raw, DisplayEvent& out) {
    if (!m_wayland) return false;
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    Uint32 windowId = 0;
    if (e.type == SDL_MOUSEMOTION)
        windowId = e.motion.windowID;
    else if (e.type == SDL_MOUSEBUTTONDOWN)
        windowId = e.button.windowID;
    else if (e.type == SDL_KEYDOWN)
        windowId = e.key.windowID;
    else if (e.type == SDL_WINDOWEVENT &&
             (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
              e.window.event == SDL_WINDOWEVENT_ENTER || e.window.event == SDL_WINDOWEVENT_EXPOSED))
        windowId = e.window.windowID;
    const int id = windowId ? IdOf(windowId) : 0;
    auto it = m_windows.find(id);
    if (it == m_windows.end() || !it->second.minimizeAsked) return false;
    // A compositor never says that a window is minimised or back (and some never minimise
    // at all): a window asked to go that the pointer, the keyboard or the compositor's
    // drawing reaches again is back. The event itself comes next.
    it->second.minimizeAsked = false;
    SDL_Event again = e;
    SDL_PushEvent(&again);
    out = DisplayEvent{};
    out.kind = DisplayEventKind::Restored;
    out.window = id;
    return true;
}

bool SdlDisplay::PollEvent(DisplayEvent& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e))
        if (BackFromMinimized(&e, event) || Translate(&e, event)) return true;
    return false;
}

bool SdlDisplay::WaitEvent(DisplayEvent& event, int timeoutMs) {
    SDL_Event e;
    Uint64 end = SDL_GetTicks64() + Uint64(timeoutMs > 0 ? timeoutMs : 0);
    for (;;) {
        Uint64 now = SDL_GetTicks64();
        int left = now >= end ? 0 : int(end - now);
        if (!SDL_WaitEventTimeout(&e, left)) return false;
        if (m_wakeEvent != Uint32(-1) && e.type == m_wakeEvent) return false;
        if (BackFromMinimized(&e, event) || Translate(&e, event)) return true;
        if (SDL_GetTicks64() >= end) return false;
    }
}

void SdlDisplay::Wake() {
    if (m_wakeEvent == Uint32(-1)) return;
    SDL_Event e{};
    e.type = m_wakeEvent;
    SDL_PushEvent(&e); // thread-safe; a full queue wakes the wait as well
}

uint64_t SdlDisplay::Now() {
    return SDL_GetTicks64();
}

DisplayRect SdlDisplay::ScreenRect() {
    SDL_Rect r{0, 0, 1024 * m_unit, 768 * m_unit};
    SDL_GetDisplayBounds(0, &r);
    return {ToPoints(r.x), ToPoints(r.y), ToPoints(r.w), ToPoints(r.h)};
}

DisplayRect SdlDisplay::WorkArea() {
    SDL_Rect r{0, 0, 1024 * m_unit, 768 * m_unit};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) SDL_GetDisplayBounds(0, &r);
    return {ToPoints(r.x), ToPoints(r.y), ToPoints(r.w), ToPoints(r.h)};
}

void SdlDisplay::CursorPos(int& x, int& y) {
    if (m_globalMouse) {
        SDL_GetGlobalMouseState(&x, &y);
        x = ToPoints(x);
        y = ToPoints(y);
        return;
    }
    // Over a window of ours: its place plus the pointer's place in it; elsewhere, where the
    // pointer was last seen.
    x = m_pointerX;
    y = m_pointerY;
    SDL_Window* focus = SDL_GetMouseFocus();
    if (!focus) return;
    for (const auto& [id, win] : m_windows) {
        if (win.window != focus) continue;
        int inX = 0, inY = 0;
        SDL_GetMouseState(&inX, &inY);
        x = win.bounds.x + ToPoints(inX);
        y = win.bounds.y + ToPoints(inY);
        return;
    }
}

bool SdlDisplay::KeyDown(int vk) {
    Uint32 buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
    if (vk == 1) return (buttons & SDL_BUTTON_LMASK) != 0;
    if (vk == 2) return (buttons & SDL_BUTTON_RMASK) != 0;
    if (vk == 4) return (buttons & SDL_BUTTON_MMASK) != 0;
    SDL_Keymod mod = SDL_GetModState();
    if (vk == 0x10) return (mod & KMOD_SHIFT) != 0;
    if (vk == 0x11) return (mod & KMOD_CTRL) != 0;
    if (vk == 0x12) return (mod & KMOD_ALT) != 0;
    auto it = m_keys.find(vk);
    return it != m_keys.end() && it->second;
}

void SdlDisplay::SetCursor(CursorShape shape) {
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (shape) {
    case CursorShape::Arrow:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
    case CursorShape::IBeam:
        id = SDL_SYSTEM_CURSOR_IBEAM;
        break;
    case CursorShape::Wait:
        id = SDL_SYSTEM_CURSOR_WAIT;
        break;
    case CursorShape::Cross:
        id = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    case CursorShape::Hand:
        id = SDL_SYSTEM_CURSOR_HAND;
        break;
    case CursorShape::SizeWE:
        id = SDL_SYSTEM_CURSOR_SIZEWE;
        break;
    case CursorShape::SizeNS:
        id = SDL_SYSTEM_CURSOR_SIZENS;
        break;
    case CursorShape::SizeAll:
        id = SDL_SYSTEM_CURSOR_SIZEALL;
        break;
    case CursorShape::No:
        id = SDL_SYSTEM_CURSOR_NO;
        break;
    case CursorShape::Drag:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
    }
    SDL_Cursor*& c = m_systemCursors[int(id)];
    if (!c) c = SDL_CreateSystemCursor(id);
    if (c) SDL_SetCursor(c);
}

int SdlDisplay::CreateCursorImage(const uint32_t* argb, int w, int h, int hotX, int hotY) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), w, h, 32,
                                                        w * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return 0;
    SDL_Cursor* c = SDL_CreateColorCursor(s, hotX, hotY);
    SDL_FreeSurface(s);
    if (!c) return 0;
    int id = m_nextCursor++;
    m_imageCursors[id] = c;
    return id;
}

void SdlDisplay::SetCursorImage(int cursorId) {
    auto it = m_imageCursors.find(cursorId);
    if (it != m_imageCursors.end()) SDL_SetCursor(it->second);
}

void SdlDisplay::SetClipboardText(const std::string& utf8) {
    SDL_SetClipboardText(utf8.c_str());
}

std::string SdlDisplay::ClipboardText() {
    char* t = SDL_GetClipboardText();
    std::string s = t ? t : "";
    SDL_free(t);
    return s;
}

void SdlDisplay::StartTextInput() {
    SDL_StartTextInput();
}
void SdlDisplay::StopTextInput() {
    SDL_StopTextInput();
}

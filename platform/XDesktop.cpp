#include "platform/XDesktop.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct XlibApi {
    decltype(&XOpenDisplay) openDisplay = nullptr;
    decltype(&XCloseDisplay) closeDisplay = nullptr;
    decltype(&XResourceManagerString) resourceManagerString = nullptr;
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetWindowProperty) getWindowProperty = nullptr;
    decltype(&XFree) free = nullptr;
    decltype(&XGetImage) getImage = nullptr;
    bool Complete() const {
        return openDisplay && closeDisplay && resourceManagerString && internAtom &&
               getWindowProperty && free;
    }
};

// Xlib is the library SDL itself talks to the X server with; nothing extra is linked for it.
const XlibApi& Api() {
    static const XlibApi api = [] {
        XlibApi a;
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib) lib = dlopen("libX11.so.6", RTLD_LAZY);
        if (!lib) return a;
        a.openDisplay = reinterpret_cast<decltype(a.openDisplay)>(dlsym(lib, "XOpenDisplay"));
        a.closeDisplay = reinterpret_cast<decltype(a.closeDisplay)>(dlsym(lib, "XCloseDisplay"));
        a.resourceManagerString = reinterpret_cast<decltype(a.resourceManagerString)>(
            dlsym(lib, "XResourceManagerString"));
        a.internAtom = reinterpret_cast<decltype(a.internAtom)>(dlsym(lib, "XInternAtom"));
        a.getWindowProperty =
            reinterpret_cast<decltype(a.getWindowProperty)>(dlsym(lib, "XGetWindowProperty"));
        a.free = reinterpret_cast<decltype(a.free)>(dlsym(lib, "XFree"));
        a.getImage = reinterpret_cast<decltype(a.getImage)>(dlsym(lib, "XGetImage"));
        return a;
    }();
    return api;
}

} // namespace

std::string XResourceText() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return {};
    const XlibApi& api = Api();
    if (!api.Complete()) return {};
    ::Display* display = api.openDisplay(name);
    if (!display) return {};
    const char* text = api.resourceManagerString(display);
    std::string resources = text ? text : "";
    api.closeDisplay(display);
    return resources;
}

bool XWindowManagerMovesWindows(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    const XlibApi& api = Api();
    if (!api.Complete()) return false;
    ::Display* display = info.info.x11.display;
    const Atom supported = api.internAtom(display, "_NET_SUPPORTED", True);
    const Atom moveResize = api.internAtom(display, "_NET_WM_MOVERESIZE", True);
    // Atoms nobody made yet: no window manager has announced anything.
    if (supported == None || moveResize == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status =
        api.getWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False,
                              XA_ATOM, &type, &format, &count, &after, &data);
    bool found = false;
    if (status == Success && data && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == moveResize;
    }
    if (data) api.free(data);
    return found;
}

bool XScreenImage(SDL_Window* window, int x, int y, int w, int h, std::vector<uint32_t>& pixels) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (w <= 0 || h <= 0 || !window || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11)
        return false;
    const XlibApi& api = Api();
    if (!api.Complete() || !api.getImage) return false;
    ::Display* display = info.info.x11.display;
    // Only the part on the screen may be asked for (the server refuses the rest with an
    // error that ends the program); what lies off the screen is black.
    const int screenW = DisplayWidth(display, DefaultScreen(display));
    const int screenH = DisplayHeight(display, DefaultScreen(display));
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, screenW), bottom = std::min(y + h, screenH);
    pixels.assign(std::size_t(w) * std::size_t(h), 0);
    if (right <= left || bottom <= top) return true;
    XImage* image =
        api.getImage(display, DefaultRootWindow(display), left, top, unsigned(right - left),
                     unsigned(bottom - top), AllPlanes, ZPixmap);
    if (!image) return false;
    bool done = false;
    // A true-colour screen of 24 or 32 bits, as every X server of today has.
    if (image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
        image->blue_mask == 0xFF) {
        for (int row = top; row < bottom; ++row) {
            const auto* from = reinterpret_cast<const uint32_t*>(
                image->data + std::size_t(row - top) * image->bytes_per_line);
            for (int col = left; col < right; ++col)
                pixels[std::size_t(row - y) * w + (col - x)] = from[col - left] & 0xFFFFFF;
        }
        done = true;
    }
    XDestroyImage(image);
    return done;
}

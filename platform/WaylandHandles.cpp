#include "platform/WaylandHandles.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace {
bool WaylandInfo(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_WAYLAND;
}
} // namespace

wl_display* WaylandConnectionOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    return WaylandInfo(window, info) ? info.info.wl.display : nullptr;
}

wl_surface* WaylandSurfaceOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    return WaylandInfo(window, info) ? info.info.wl.surface : nullptr;
}

#pragma once
// The Wayland objects behind an SDL window. Apart from the display's own code: SDL's header
// for them brings X11's names along, one of which is the program's display class.
struct SDL_Window;
struct wl_display;
struct wl_surface;

// The window's connection and surface; nothing when the window is not a Wayland window.
wl_display* WaylandConnectionOf(SDL_Window* window);
wl_surface* WaylandSurfaceOf(SDL_Window* window);

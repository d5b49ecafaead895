#pragma once
// What an X11 desktop says about itself beyond what SDL asks: the screen's resources (the
// dots per inch the desktop wants) and whether a window manager moves windows for clients.
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

// The text of the X server's resources (the RESOURCE_MANAGER property), read over a short
// connection of its own; empty without X11 or when none are set.
std::string XResourceText();

// True when the window manager of `window`'s screen moves windows on a client's request
// (_NET_WM_MOVERESIZE among its _NET_SUPPORTED); false without one or off X11.
bool XWindowManagerMovesWindows(SDL_Window* window);

// What the X screen of `window` shows in the rectangle (x, y, w, h) of its root window, in
// screen pixels, 0x00RRGGBB; false off X11 or on a screen that is not 24/32-bit true colour.
bool XScreenImage(SDL_Window* window, int x, int y, int w, int h, std::vector<uint32_t>& pixels);

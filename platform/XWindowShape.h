#pragma once
// Shapes a window on an X11 screen straight from a list of rectangles with the server's shape
// extension: no mask image of the window's size, no window made again, and the shape stays
// when the window is moved.
#include <vector>

struct SDL_Window;

// Kept apart from the display's own rectangle: X11 has a type of the same name as the
// program's display, so the two headers never meet in one file.
struct XShapeRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Sets the window's bounding shape to the union of `rects` (window coordinates); an empty
// list makes it rectangular again. False where the window is not an X11 window or the
// server cannot shape windows: the caller decides what else to do.
bool SetXWindowShape(SDL_Window* window, const std::vector<XShapeRect>& rects);

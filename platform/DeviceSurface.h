#pragma once
// Surfaces handed to the display in device pixels. A window system that still draws one pixel
// a point hands over a surface smaller than the window's device size; it is enlarged by whole
// pixels (nearest), which keeps such a program usable, only coarser, on a dense screen.
#include <cstdint>

#include "platform/Display.h"

// How many device pixels each pixel of a surface of surfaceW x surfaceH becomes in a window of
// deviceW x deviceH device pixels: the largest whole factor that fits in both directions, and
// never less than 1.
int EnlargeFactor(int surfaceW, int surfaceH, int deviceW, int deviceH);

// `r` with every edge multiplied by `factor`.
DisplayRect ScaledRect(const DisplayRect& r, int factor);

// The part of `r` inside `bounds` (empty w/h when they do not meet).
DisplayRect ClippedRect(const DisplayRect& r, const DisplayRect& bounds);

// Copies the `deviceRect` part of the surface (surfaceW x surfaceH pixels, each one `factor`
// x `factor` device pixels) into `device`, a picture addressed in device pixels with
// `deviceStride` pixels a row. The caller clips deviceRect to both pictures.
void CopyEnlarged(const uint32_t* surface, int surfaceW, int factor, const DisplayRect& deviceRect,
                  uint32_t* device, int deviceStride);

// The smallest rectangle holding both (an empty one adds nothing).
DisplayRect UnitedRect(const DisplayRect& a, const DisplayRect& b);

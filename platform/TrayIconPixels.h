#pragma once
// The icon's pixels as the status area protocols want them.
#include <cstdint>
#include <vector>

#include "platform/TrayIcon.h"

// ARGB32 in network byte order: the bytes A, R, G, B of each pixel, rows top to bottom, as the
// status notifier item's pixmaps carry them. Empty for a picture whose pixels do not match
// its size.
std::vector<uint8_t> ArgbNetworkOrder(const TrayPicture& picture);

// The picture to draw into a square of `size`: the smallest one at least that large, else the
// largest; nullptr when there is none with pixels.
const TrayPicture* PictureForSize(const std::vector<TrayPicture>& pictures, int size);

// `picture` drawn into w x h pixels: scaled down (area averaged, alpha weighted) to fit when it
// is larger, centred, transparent around it.
TrayPicture FitPicture(const TrayPicture& picture, int w, int h);

#pragma once
// The login page's background picture, JPEGs painted at build time (tools/aboutgen) at 1, 2
// and 3 pixels a point and carried inside the program.
#include <cstddef>

class TBitmap;

// The JPEG painted at `scale` (kept to 1..3).
const unsigned char* AboutPictureJpeg(int scale = 1);
std::size_t AboutPictureJpegSize(int scale = 1);
// Decodes only the JPEG of `scale` into `picture`, a bitmap of that scale whose size is the
// picture's size in points (EInvalidGraphic when it cannot be read).
void DecodeAboutPicture(TBitmap& picture, int scale);

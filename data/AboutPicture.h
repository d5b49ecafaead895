#pragma once
// The login page's background picture, a JPEG painted at build time (tools/aboutgen) and
// carried inside the program.
#include <cstddef>

const unsigned char* AboutPictureJpeg();
std::size_t AboutPictureJpegSize();

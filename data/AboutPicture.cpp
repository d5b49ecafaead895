#include "data/AboutPicture.h"

#include "gfx/Jpeg.h"

#include <algorithm>

namespace {
const unsigned char kAboutPicture[] = {
#include "data/AboutPicture.inc"
};
const unsigned char kAboutPicture2x[] = {
#include "data/AboutPicture2x.inc"
};
const unsigned char kAboutPicture3x[] = {
#include "data/AboutPicture3x.inc"
};

struct Bytes {
    const unsigned char* data;
    std::size_t size;
};

Bytes PictureAt(int scale) {
    switch (std::clamp(scale, 1, 3)) {
    case 2:
        return {kAboutPicture2x, sizeof kAboutPicture2x};
    case 3:
        return {kAboutPicture3x, sizeof kAboutPicture3x};
    default:
        return {kAboutPicture, sizeof kAboutPicture};
    }
}
} // namespace

const unsigned char* AboutPictureJpeg(int scale) {
    return PictureAt(scale).data;
}

std::size_t AboutPictureJpegSize(int scale) {
    return PictureAt(scale).size;
}

void DecodeAboutPicture(TBitmap& picture, int scale) {
    const Bytes jpeg = PictureAt(scale);
    DecodeJpeg(picture, jpeg.data, jpeg.size, std::clamp(scale, 1, 3));
}

#include "data/AboutPicture.h"

namespace {
const unsigned char kAboutPicture[] = {
#include "data/AboutPicture.inc"
};
} // namespace

const unsigned char* AboutPictureJpeg() {
    return kAboutPicture;
}

std::size_t AboutPictureJpegSize() {
    return sizeof kAboutPicture;
}

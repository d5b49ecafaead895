#include "data/ProgramSkin.h"

#include "skin/CompressedStoredSkin.h"

#include <algorithm>

namespace {
const unsigned char kProgramSkin[] = {
#include "skin/ProgramSkin.inc"
};
const unsigned char kProgramSkin2x[] = {
#include "skin/ProgramSkin2x.inc"
};
const unsigned char kProgramSkin3x[] = {
#include "skin/ProgramSkin3x.inc"
};

struct Bytes {
    const unsigned char* data;
    std::size_t size;
};

Bytes SkinAt(int scale) {
    switch (std::clamp(scale, 1, 3)) {
    case 2:
        return {kProgramSkin2x, sizeof kProgramSkin2x};
    case 3:
        return {kProgramSkin3x, sizeof kProgramSkin3x};
    default:
        return {kProgramSkin, sizeof kProgramSkin};
    }
}
} // namespace

const unsigned char* ProgramSkinData(int scale) {
    return SkinAt(scale).data;
}
std::size_t ProgramSkinSize(int scale) {
    return SkinAt(scale).size;
}

void LoadProgramSkin(TspCompressedStoredSkin& stored, int scale) {
    const Bytes skin = SkinAt(scale);
    stored.LoadData(skin.data, skin.size);
    stored.SetPictureScale(std::clamp(scale, 1, 3));
}

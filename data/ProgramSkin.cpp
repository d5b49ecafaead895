#include "data/ProgramSkin.h"

#include "skin/CompressedStoredSkin.h"

namespace {
const unsigned char kProgramSkin[] = {
#include "skin/ProgramSkin.inc"
};
} // namespace

const unsigned char* ProgramSkinData() {
    return kProgramSkin;
}
std::size_t ProgramSkinSize() {
    return sizeof(kProgramSkin);
}

void LoadProgramSkin(TspCompressedStoredSkin& stored) {
    stored.LoadData(kProgramSkin, sizeof(kProgramSkin));
}

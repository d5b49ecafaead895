#pragma once
// The program's own skin, drawn by tools/skingen and packed at build time, once for each
// screen scale (1, 2 and 3 device pixels a point; the description is the same, the pictures
// are drawn at that scale). The bytes are the stored data of a TspCompressedStoredSkin: one
// zlib stream of the skin container.
//
//     auto* stored = new TspCompressedStoredSkin(form);
//     LoadProgramSkin(*stored, screenScale);
//     skinData->SetCompressedStoredSkin(stored); // inflates, reads and applies it
#include <cstddef>

class TspCompressedStoredSkin;

// The skin drawn at `scale` (kept to 1..3).
const unsigned char* ProgramSkinData(int scale = 1);
std::size_t ProgramSkinSize(int scale = 1);
// Fills the component's "CompressedData" with the program's skin drawn at `scale` and tells
// it that scale.
void LoadProgramSkin(TspCompressedStoredSkin& stored, int scale = 1);

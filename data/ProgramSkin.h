#pragma once
// The program's own skin, drawn by tools/skingen and packed at build time. The bytes are
// the stored data of a TspCompressedStoredSkin: one zlib stream of the skin container.
//
//     auto* stored = new TspCompressedStoredSkin(form);
//     LoadProgramSkin(*stored);
//     skinData->SetCompressedStoredSkin(stored); // inflates, reads and applies it
#include <cstddef>

class TspCompressedStoredSkin;

const unsigned char* ProgramSkinData();
std::size_t ProgramSkinSize();
// Fills the component's "CompressedData" with the program's skin.
void LoadProgramSkin(TspCompressedStoredSkin& stored);

#pragma once
// The part of a skinned control that binds it to the store, shared by the windowed and the
// windowless bases: the published skin properties, the record index found by name, the
// cursor the record asks for, and handing the finished off-screen image to the canvas
// (copied, or blended over what lies under the control).
#include "gfx/Bitmap.h"
#include "ui/Controls.h"

#include <cstdint>
#include <string>

class TspSkinData;
class TspDataSkinControl;

struct TspSkinBinding {
    bool DrawDefault = true;
    TspSkinData* SkinData = nullptr;
    std::string AreaName;
    std::string SkinDataName;
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 200;
    bool UseSkinCursor = false;
    int SkinIndex = -1;   // -1: no record
    int CursorIndex = -1; // the record's cursorindex

    // A store that holds a skin.
    bool StoreReady() const;
    // The record index by name (-1 without a ready store or without the name), and the
    // record's cursor index.
    void LookUp();
    // The record found, or nullptr.
    TspDataSkinControl* Record() const;
    // The cursor the control shows after a skin change: the default cursor for a record
    // without one, else the store's first skin cursor plus the record's; `current` when the
    // skin's cursors are not used.
    TCursor SkinCursor(TCursor current) const;
};

// Puts the finished `image` on `canvas` at (0, 0): a plain copy, or with AlphaBlend a mix
// with `background` (what lies under the control) of control * value / 255 and background
// for the rest, per channel.
void PresentControlImage(TCanvas& canvas, const TBitmap& image, const TBitmap* background,
                         std::uint8_t alphaValue);

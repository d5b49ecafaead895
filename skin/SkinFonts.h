#pragma once
// Font styles as the skin records hold them, turned into the font styles of the canvas.
#include "gfx/Font.h"
#include "skin/SkinIni.h"

inline TFontStyles SkinFontStyles(TspSkinFontStyles styles) {
    TFontStyles result;
    if (styles & spfsBold) result.Include(fsBold);
    if (styles & spfsItalic) result.Include(fsItalic);
    if (styles & spfsUnderline) result.Include(fsUnderline);
    if (styles & spfsStrikeOut) result.Include(fsStrikeOut);
    return result;
}

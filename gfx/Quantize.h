#pragma once
// Palettes for the low bit depths: choosing one for a picture and mapping pixels onto it.
#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// A fixed palette of 2 (black, white), 16 (the classic 16 colours) or 256 (a 6x6x6 cube and
// 40 greys) entries.
std::vector<TColor> FixedPalette(int bits);

// The palette to write `bitmap` with at `bits` per pixel: its own palette when every pixel is
// in it, else its distinct colours when they fit, else the fixed palette.
std::vector<TColor> ChoosePalette(const TBitmap& bitmap, int bits);

// Maps pixels to the nearest palette entry (squared RGB distance), remembering answers.
class PaletteMapper {
public:
    explicit PaletteMapper(const std::vector<TColor>& palette);
    std::uint8_t Index(TPixel pixel);

private:
    std::vector<TColor> m_palette;
    std::unordered_map<std::uint32_t, std::uint8_t> m_cache;
};

// Reduces the pixels to what `format` can hold and sets the bitmap's palette for the paletted
// formats; pf24bit makes every pixel opaque.
void ReducePixels(TBitmap& bitmap, TPixelFormat format);

#pragma once
// TspEffectBmp: a 24-bit top-down pixel buffer (bytes blue, green, red; rows of 3 x width
// bytes plus width mod 4 padding) with the effects of skinned surfaces: cross-fades and the
// morph kinds between two state pictures, the effects that mark an inactive window frame,
// rotations and masked smoothing and tinting.
//
// Every operation works a row at a time. Colour results are clamped to 0..255 and every
// fractional result is rounded to the nearest integer, halves to the even neighbour.
// Operations with a partner buffer do nothing when the two differ in size (BlendRect clips
// to both instead, since it reads its partner at an offset).
#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Types.h"
#include "skin/SkinIni.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TCanvas;

class TspEffectBmp {
public:
    TspEffectBmp() = default;
    // Black, width x height (negative sizes count as 0).
    TspEffectBmp(int width, int height);
    // A copy of the picture's stored pixels: a device-scaled picture gives a buffer of its
    // device size that remembers the scale, so effects work at full resolution.
    explicit TspEffectBmp(const TBitmap& bitmap);

    // The buffer's size in pixels (a scaled picture's device pixels).
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    // Bytes from one row to the next.
    int RowInc() const { return m_rowInc; }
    std::uint8_t* ScanLine(int y) { return m_bits.data() + std::size_t(y) * m_rowInc; }
    const std::uint8_t* ScanLine(int y) const { return m_bits.data() + std::size_t(y) * m_rowInc; }
    // Colour (0x00BBGGRR) of a pixel; clNone outside.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    bool SameSize(const TspEffectBmp& other) const {
        return m_width == other.m_width && m_height == other.m_height;
    }

    // Takes the picture's stored pixels, its size and scale.
    void Assign(const TBitmap& bitmap);
    // Pixels per point of the picture the buffer was taken from (1 for any other buffer).
    int Scale() const { return m_scale; }
    // Copies the pixels into `bitmap`, giving it the buffer's scale and size.
    void AssignTo(TBitmap& bitmap) const;
    // Copies the whole buffer to the canvas at (x, y) (points), within the canvas clip; on a
    // canvas of another scale it is resized by whole pixels.
    void DrawAt(TCanvas& canvas, int x, int y) const;

    // A = (1 - k) A + k B, k clamped to 0..1.
    void Blend(const TspEffectBmp& b, double k);
    // The same inside `rect` of A (clipped to A), reading B from row `firstRow` and column
    // `firstColumn` onwards (clipped to B).
    void BlendRect(const TspEffectBmp& b, const TRect& rect, int firstRow, int firstColumn,
                   double k);

    // Morphs from A (the state being left) towards B (the state being entered); k is the
    // progress 0..1.
    void MorphGradient(const TspEffectBmp& b, double k);
    void MorphLeftGradient(const TspEffectBmp& b, double k);
    void MorphRightGradient(const TspEffectBmp& b, double k);
    void MorphLeftSlide(const TspEffectBmp& b, double k);
    void MorphRightSlide(const TspEffectBmp& b, double k);
    void MorphPush(const TspEffectBmp& b, double k);
    // The morph of a kind: 0 Blend, 1 gradient ... 6 push (other values blend).
    void Morph(TspMorphKind kind, const TspEffectBmp& b, double k);

    // c = (1 - k) c + 255 k; c = (1 - k) c (k clamped to 0..1).
    void Lighten(double k);
    void Darken(double k);
    // Each pixel's channels = 0.3 R + 0.59 G + 0.11 B.
    void Grayscale();
    // Each pixel gets one offset in 0 .. n - 1 minus n div 2 added to its three channels. The
    // offsets repeat from call to call, so a repainted surface does not flicker.
    void Noise(int n);
    // Each pixel = channel-wise mean (sum shifted right by 2) of the four pixels n rows and n
    // columns away diagonally; neighbours beyond the edges are taken from the nearest edge.
    void SplitBlur(int n);
    // c = 255 - c.
    void Invert();

    // Into `dest` (of swapped size for the rotations, equal size for the flip; otherwise
    // nothing happens): A turned 90 degrees anticlockwise, clockwise, or upside down.
    void RotateLeft(TspEffectBmp& dest) const;
    void RotateRight(TspEffectBmp& dest) const;
    void FlipVertical(TspEffectBmp& dest) const;

    // For pixels whose mask pixel is not white: the mean of the four pixels n away
    // diagonally, where a diagonal neighbour in the mask is white (the mask's edge); or
    // c = (1 - k) c + k colour. Nothing when the buffer is empty or the mask is narrower or
    // lower than the buffer.
    void MaskedSmooth(const TBitmap& mask, int n);
    void MaskedTint(const TBitmap& mask, TColor color, double k);

private:
    void Resize(int width, int height);
    void MixColumns(const TspEffectBmp& b, const std::vector<float>& weightOfA);

    int m_width = 0;
    int m_scale = 1;
    int m_height = 0;
    int m_rowInc = 0;
    std::vector<std::uint8_t> m_bits;
};

// The effect for an inactive window frame (a TspImageEffect): brightness Lighten(0.5),
// darkness Darken(0.3), grayscale, noise Noise(50), split blur SplitBlur(1), invert.
void ApplyInactiveEffect(TspEffectBmp& bitmap, int effect);

#pragma once
// TBitmap: a picture kept as 32-bit pixels (0xAARRGGBB) in one contiguous top-down buffer,
// whatever format it came from. It remembers a pixel format that decides how it is saved,
// reads BMP (own codec), JPEG and PNG, and writes BMP and PNG.
//
// A bitmap may have a device scale (1, 2 or 3): Width and Height stay logical, the pixels are
// Scale() times as many in each direction. Paint buffers take the scale of the surface they
// end on so that what is drawn into them stays sharp; pictures read from files are 1x. Pixel
// access (ScanLine, Bits, Stride) is always in stored, device pixels.
#include "gfx/Color.h"
#include "gfx/GraphicsError.h"
#include "gfx/Types.h"
#include "rtl/LargeBlock.h"
#include "rtl/Object.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TStream;

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor as set.
enum TTransparentMode { tmAuto, tmFixed };

// afIgnored: the alpha byte means nothing (drawn opaque); afDefined: straight alpha, blended
// when the bitmap is drawn.
enum TAlphaFormat { afIgnored, afDefined };

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    // Moving takes the picture and leaves `other` empty; canvases and events stay put.
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other);
    ~TBitmap() override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Stored pixels per logical pixel in each direction; 1 for every picture but paint buffers.
    int Scale() const { return m_scale; }
    // Sets the scale; the pixels are made anew (white) at the new device size when it changes.
    // Values outside 1..MaxDeviceScale are clamped.
    void SetScale(int scale);
    int DeviceWidth() const { return m_width * m_scale; }
    int DeviceHeight() const { return m_height * m_scale; }
    void SetWidth(int width);
    void SetHeight(int height);
    // Resizing keeps the overlapping top-left pixels; new pixels are white, as a new picture.
    void SetSize(int width, int height);
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    TRect BoundsRect() const { return Rect(0, 0, m_width, m_height); }

    TPixelFormat PixelFormat() const { return m_pixelFormat; }
    // Changing the format to fewer bits reduces the pixels to what that format can hold
    // (black/white for pf1bit, a 16-colour palette for pf4bit, 256 colours for pf8bit).
    void SetPixelFormat(TPixelFormat format);
    // Records the format without touching the pixels (decoders tell what the file held).
    void SetPixelFormatTag(TPixelFormat format) { m_pixelFormat = format; }
    bool Monochrome() const { return m_pixelFormat == pf1bit; }
    void SetMonochrome(bool value) { SetPixelFormat(value ? pf1bit : pf24bit); }

    TAlphaFormat AlphaFormat() const { return m_alphaFormat; }
    void SetAlphaFormat(TAlphaFormat format) { m_alphaFormat = format; }

    // Row y of the stored pixels (0 = top); y must lie inside DeviceHeight().
    TPixel* ScanLine(int y) {
        return m_pixels.data() + std::size_t(y) * std::size_t(DeviceWidth());
    }
    const TPixel* ScanLine(int y) const {
        return m_pixels.data() + std::size_t(y) * std::size_t(DeviceWidth());
    }
    TPixel* Bits() { return m_pixels.data(); }
    const TPixel* Bits() const { return m_pixels.data(); }
    // Bytes from one stored row to the next.
    int Stride() const { return DeviceWidth() * 4; }
    // The stored pixels as a 1x picture of DeviceWidth x DeviceHeight (formats and
    // transparency kept): what a scaled bitmap is saved as.
    TBitmap DevicePicture() const;
    // Reads a 1x picture's stored pixels as a picture of `scale` (each logical side the
    // stored side divided by it), without copying them; false, and nothing changed, when the
    // picture is not 1x or the scale does not divide its sides.
    bool AdoptDeviceScale(int scale);

    // Colour of a logical pixel (the top-left stored pixel of its block); clNone outside.
    TColor PixelColor(int x, int y) const;
    void Fill(TColor color);

    // The canvas drawing on this bitmap; created on first use, owned by the bitmap.
    TCanvas* Canvas();

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // In tmAuto the bottom-left pixel's colour (clNone for an empty bitmap).
    TColor TransparentColor() const;
    // Setting a colour switches to tmFixed.
    void SetTransparentColor(TColor color);

    // Palette read from the last file (colours as TColor); used again when saving at the same
    // depth so that a picture round-trips exactly.
    const std::vector<TColor>& Palette() const { return m_palette; }
    void SetPalette(std::vector<TColor> palette) { m_palette = std::move(palette); }

    using TPersistent::Assign;
    void Assign(const TPersistent* source) override;
    void Assign(const TBitmap& other);
    // Exchanges pictures (pixels, size, formats, palette, transparency) with `other`; canvases
    // and events stay with their bitmaps.
    void Swap(TBitmap& other);
    void Clear() { SetSize(0, 0); }

    // Reads a BMP, JPEG or PNG picture, told apart by its first bytes. Raises EInvalidGraphic
    // for anything malformed, truncated or absurdly large.
    void LoadFromMemory(const void* data, std::size_t size);
    void LoadFromFile(const std::string& path);
    void LoadFromStream(TStream& stream); // the rest of the stream
    // BMP bytes at the current pixel format (1, 4, 8, 24 or 32 bits; others as 24).
    std::vector<std::uint8_t> SaveToBmpBytes() const;
    // A BMP file, or a PNG file when the name ends in ".png". Raises EFCreateError.
    void SaveToFile(const std::string& path) const;
    void SaveToStream(TStream& stream) const;

    // Raised after the pixels changed through loading, resizing or Assign.
    TNotifyEvent OnChange;
    void Changed();

private:
    void SyncCanvas();
    void TakePicture(TBitmap& other) noexcept;

    int m_width = 0;
    int m_height = 0;
    int m_scale = 1;
    std::vector<TPixel, TLargeBlockAllocator<TPixel>> m_pixels;
    TPixelFormat m_pixelFormat = pf24bit;
    TAlphaFormat m_alphaFormat = afIgnored;
    bool m_transparent = false;
    TTransparentMode m_transparentMode = tmAuto;
    TColor m_transparentColor = clDefault;
    std::vector<TColor> m_palette;
    std::unique_ptr<TCanvas> m_canvas;
};

// Highest device scale a bitmap or canvas takes.
constexpr int MaxDeviceScale = 3;

// Largest picture any decoder accepts, in pixels per side and in total.
constexpr int MaxPictureSide = 32768;
constexpr std::int64_t MaxPicturePixels = 64LL * 1024 * 1024;

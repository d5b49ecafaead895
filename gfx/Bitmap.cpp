#include "gfx/Bitmap.h"

#include "gfx/Bmp.h"
#include "gfx/Canvas.h"
#include "gfx/Jpeg.h"
#include "gfx/Png.h"
#include "gfx/Quantize.h"
#include "rtl/Exceptions.h"
#include "rtl/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr TPixel kWhite = 0xFFFFFFFFu;

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other) : TPersistent() {
    Assign(other);
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) Assign(other);
    return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept : TPersistent() {
    TakePicture(other);
    other.SyncCanvas();
}

TBitmap& TBitmap::operator=(TBitmap&& other) {
    if (this != &other) {
        TakePicture(other);
        SyncCanvas();
        other.SyncCanvas();
        Changed();
    }
    return *this;
}

void TBitmap::TakePicture(TBitmap& other) noexcept {
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_scale = std::exchange(other.m_scale, 1);
    m_pixels = std::move(other.m_pixels);
    other.m_pixels.clear();
    m_pixelFormat = other.m_pixelFormat;
    m_alphaFormat = other.m_alphaFormat;
    m_transparent = other.m_transparent;
    m_transparentMode = other.m_transparentMode;
    m_transparentColor = other.m_transparentColor;
    m_palette = std::move(other.m_palette);
    other.m_palette.clear();
}

TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int width) {
    SetSize(width, m_height);
}
void TBitmap::SetHeight(int height) {
    SetSize(m_width, height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) return;
    const int s = m_scale;
    const std::int64_t dw = std::int64_t(width) * s, dh = std::int64_t(height) * s;
    if (dw * dh > MaxPicturePixels || dw > MaxPictureSide || dh > MaxPictureSide)
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " +
                              std::to_string(height) + " is too large");
    std::vector<TPixel, TLargeBlockAllocator<TPixel>> pixels(std::size_t(dw) * std::size_t(dh),
                                                             kWhite);
    const int copyW = std::min(width, m_width) * s;
    const int copyH = std::min(height, m_height) * s;
    for (int y = 0; y < copyH; ++y)
        std::copy_n(m_pixels.data() + std::size_t(y) * std::size_t(DeviceWidth()), copyW,
                    pixels.data() + std::size_t(y) * std::size_t(dw));
    m_pixels.swap(pixels);
    m_width = width;
    m_height = height;
    SyncCanvas();
    Changed();
}

void TBitmap::SetScale(int scale) {
    scale = std::clamp(scale, 1, MaxDeviceScale);
    if (scale == m_scale) return;
    const int width = m_width, height = m_height;
    m_width = m_height = 0;
    m_pixels.clear();
    m_scale = scale;
    try {
        SetSize(width, height);
    } catch (...) {
        SyncCanvas();
        throw;
    }
    SyncCanvas(); // also when the picture is empty and SetSize had nothing to do
}

TBitmap TBitmap::DevicePicture() const {
    TBitmap picture;
    picture.m_width = DeviceWidth();
    picture.m_height = DeviceHeight();
    picture.m_pixels = m_pixels;
    picture.m_pixelFormat = m_pixelFormat;
    picture.m_alphaFormat = m_alphaFormat;
    picture.m_transparent = m_transparent;
    picture.m_transparentMode = m_transparentMode;
    picture.m_transparentColor = m_transparentColor;
    picture.m_palette = m_palette;
    return picture;
}

bool TBitmap::AdoptDeviceScale(int scale) {
    if (scale < 1 || scale > MaxDeviceScale || m_scale != 1) return false;
    if (m_width % scale != 0 || m_height % scale != 0) return false;
    if (scale == 1) return true;
    m_width /= scale;
    m_height /= scale;
    m_scale = scale;
    SyncCanvas();
    Changed();
    return true;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == m_pixelFormat) return;
    m_pixelFormat = format;
    if (m_scale == 1) {
        ReducePixels(*this, format);
    } else {
        // The reduction works on plain pictures: reduce the stored pixels as one.
        TBitmap device = DevicePicture();
        ReducePixels(device, format);
        m_pixels = std::move(device.m_pixels);
    }
    Changed();
}

TColor TBitmap::PixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return clNone;
    return PixelToColor(
        m_pixels[std::size_t(y) * m_scale * std::size_t(DeviceWidth()) + std::size_t(x) * m_scale]);
}

void TBitmap::Fill(TColor color) {
    std::fill(m_pixels.begin(), m_pixels.end(), ColorToPixel(color));
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!m_canvas) {
        m_canvas = std::make_unique<TCanvas>();
        m_canvas->SetSurface(this);
    }
    return m_canvas.get();
}

void TBitmap::SyncCanvas() {
    if (m_canvas) m_canvas->SetSurface(this);
}

void TBitmap::SetTransparent(bool value) {
    if (m_transparent == value) return;
    m_transparent = value;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (m_transparentMode == mode) return;
    if (mode == tmAuto) m_transparentColor = clDefault;
    m_transparentMode = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (m_transparentMode == tmFixed && m_transparentColor != clDefault) return m_transparentColor;
    if (Empty()) return clNone;
    return PixelColor(0, m_height - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    m_transparentColor = color;
    m_transparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Assign(const TPersistent* source) {
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        Assign(*bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::Assign(const TBitmap& other) {
    if (this == &other) return;
    m_width = other.m_width;
    m_height = other.m_height;
    m_scale = other.m_scale;
    m_pixels = other.m_pixels;
    m_pixelFormat = other.m_pixelFormat;
    m_alphaFormat = other.m_alphaFormat;
    m_transparent = other.m_transparent;
    m_transparentMode = other.m_transparentMode;
    m_transparentColor = other.m_transparentColor;
    m_palette = other.m_palette;
    SyncCanvas();
    Changed();
}

void TBitmap::Swap(TBitmap& other) {
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_scale, other.m_scale);
    m_pixels.swap(other.m_pixels);
    std::swap(m_pixelFormat, other.m_pixelFormat);
    std::swap(m_alphaFormat, other.m_alphaFormat);
    std::swap(m_transparent, other.m_transparent);
    std::swap(m_transparentMode, other.m_transparentMode);
    std::swap(m_transparentColor, other.m_transparentColor);
    m_palette.swap(other.m_palette);
    SyncCanvas();
    other.SyncCanvas();
    Changed();
    other.Changed();
}

void TBitmap::LoadFromMemory(const void* data, std::size_t size) {
    TBitmap decoded;
    if (IsBmp(data, size))
        DecodeBmp(decoded, data, size);
    else if (IsJpeg(data, size))
        DecodeJpeg(decoded, data, size);
    else if (IsPng(data, size))
        DecodePng(decoded, data, size);
    else if (size == 0)
        throw EInvalidGraphic("The picture is empty");
    else
        throw EInvalidGraphic("Unknown picture format");
    // Transparency settings belong to the bitmap, not to the file.
    decoded.m_transparent = m_transparent;
    decoded.m_transparentMode = m_transparentMode;
    decoded.m_transparentColor = m_transparentColor;
    Swap(decoded);
}

void TBitmap::LoadFromFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) FileOpenError(path, errno);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > std::size_t(4) * MaxPicturePixels)
            throw EInvalidGraphic("The picture file \"" + path + "\" is too large");
    }
    if (std::ferror(file.get())) FileOpenError(path, errno);
    LoadFromMemory(bytes.data(), bytes.size());
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::int64_t n;
    while ((n = stream.Read(buffer, sizeof buffer)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > std::size_t(4) * MaxPicturePixels)
            throw EInvalidGraphic("The picture is too large");
    }
    LoadFromMemory(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> TBitmap::SaveToBmpBytes() const {
    return m_scale == 1 ? EncodeBmp(*this) : EncodeBmp(DevicePicture());
}

void TBitmap::SaveToFile(const std::string& path) const {
    if (m_scale != 1) {
        DevicePicture().SaveToFile(path);
        return;
    }
    const std::vector<std::uint8_t> bytes =
        EndsWithNoCase(path, ".png") ? EncodePng(*this) : EncodeBmp(*this);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) FileCreateError(path, errno);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !ok) FileCreateError(path, ok ? errno : writeError);
}

void TBitmap::SaveToStream(TStream& stream) const {
    const std::vector<std::uint8_t> bytes = SaveToBmpBytes();
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

#include "gfx/Png.h"

#include "rtl/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace {

// Rows of 0xAARRGGBB pixels, which in memory are the bytes B, G, R, A.
void WritePixels(const TPixel* pixels, int width, int height, int strideBytes, bool withAlpha,
                 std::vector<std::uint8_t>& out) {
    if (width <= 0 || height <= 0) throw EInvalidGraphic("Cannot write an empty picture as PNG");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    std::vector<std::uint8_t> packed;
    const void* buffer = pixels;
    png_int_32 stride = strideBytes;
    if (withAlpha) {
        image.format = PNG_FORMAT_BGRA;
        stride = strideBytes; // components per row: one byte each
    } else {
        image.format = PNG_FORMAT_BGR;
        packed.resize(std::size_t(width) * 3 * std::size_t(height));
        for (int y = 0; y < height; ++y) {
            const auto* src = reinterpret_cast<const TPixel*>(
                reinterpret_cast<const std::uint8_t*>(pixels) + std::size_t(y) * strideBytes);
            std::uint8_t* dst = packed.data() + std::size_t(y) * width * 3;
            for (int x = 0; x < width; ++x, dst += 3) {
                dst[0] = std::uint8_t(src[x]);
                dst[1] = std::uint8_t(src[x] >> 8);
                dst[2] = std::uint8_t(src[x] >> 16);
            }
        }
        buffer = packed.data();
        stride = width * 3;
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, buffer, stride, nullptr))
        throw EInvalidGraphic(std::string("Cannot write PNG: ") + image.message);
    out.resize(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, buffer, stride, nullptr))
        throw EInvalidGraphic(std::string("Cannot write PNG: ") + image.message);
    out.resize(size);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) FileCreateError(path, errno);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !ok) FileCreateError(path, ok ? errno : writeError);
}

} // namespace

bool IsPng(const void* data, std::size_t size) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

void DecodePng(TBitmap& bitmap, const void* data, std::size_t size) {
    if (!IsPng(data, size)) throw EInvalidGraphic("Invalid PNG picture: no signature");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        throw EInvalidGraphic(std::string("Invalid PNG picture: ") + image.message);
    if (image.width == 0 || image.height == 0 || image.width > unsigned(MaxPictureSide) ||
        image.height > unsigned(MaxPictureSide) ||
        std::int64_t(image.width) * image.height > MaxPicturePixels) {
        png_image_free(&image);
        throw EInvalidGraphic("Invalid PNG picture: the picture size " +
                              std::to_string(image.width) + " x " + std::to_string(image.height) +
                              " is too large");
    }
    const bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_BGRA;
    TBitmap result;
    result.SetSize(int(image.width), int(image.height));
    if (!png_image_finish_read(&image, nullptr, result.Bits(), 0, nullptr)) {
        const std::string why = image.message;
        png_image_free(&image);
        throw EInvalidGraphic("Invalid PNG picture: " + why);
    }
    result.SetPixelFormatTag(hasAlpha ? pf32bit : pf24bit);
    result.SetAlphaFormat(hasAlpha ? afDefined : afIgnored);
    bitmap.Swap(result);
}

void LoadPng(TBitmap& bitmap, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) FileOpenError(path, errno);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    DecodePng(bitmap, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap, bool withAlpha) {
    std::vector<std::uint8_t> out;
    WritePixels(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(), withAlpha, out);
    return out;
}

void SavePng(const TBitmap& bitmap, const std::string& path, bool withAlpha) {
    WriteFile(path, EncodePng(bitmap, withAlpha));
}

void SavePng(const TPixel* pixels, int width, int height, int strideBytes,
             const std::string& path) {
    std::vector<std::uint8_t> out;
    WritePixels(pixels, width, height, strideBytes, false, out);
    WriteFile(path, out);
}

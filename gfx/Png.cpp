#include "gfx/Png.h"

#include "rtl/Exceptions.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

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
    // Room for the largest file the picture can make, so that it is compressed once; the
    // unused room is given back.
    out.resize(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = out.size();
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, buffer, stride, nullptr))
        throw EInvalidGraphic(std::string("Cannot write PNG: ") + image.message);
    out.resize(size);
    out.shrink_to_fit();
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

namespace {

// Deflate turns one byte into at most this many; pixel data that claims more than its
// compressed bytes could ever hold is refused before anything is allocated for it.
constexpr std::uint64_t kMaxInflateRatio = 1032;
// No ancillary chunk we read needs more; libpng refuses larger ones (also once inflated).
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1000 * 1000;

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           p[3];
}

// What the chunks say before libpng reads them.
struct PngLayout {
    std::uint32_t width = 0, height = 0;
    unsigned bitsPerPixel = 0;
    std::uint64_t pixelDataBytes = 0; // compressed, in all IDAT chunks
};

// Walks the chunks: every declared length must lie inside the data, so no chunk can make the
// reader set aside room for bytes that are not there.
PngLayout ScanChunks(const std::uint8_t* d, std::size_t size) {
    PngLayout layout;
    std::size_t at = 8;
    bool first = true;
    while (at < size) {
        if (size - at < 8) throw EInvalidGraphic("Invalid PNG picture: a chunk is cut short");
        const std::uint32_t length = BigEndian32(d + at);
        const std::uint8_t* type = d + at + 4;
        // The data and its four check bytes must follow.
        const std::size_t following = size - at - 8;
        if (following < 4 || length > following - 4)
            throw EInvalidGraphic("Invalid PNG picture: a chunk claims " + std::to_string(length) +
                                  " bytes but only " + std::to_string(following) + " follow");
        if (first) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13)
                throw EInvalidGraphic("Invalid PNG picture: the header chunk is missing");
            const std::uint8_t* h = d + at + 8;
            layout.width = BigEndian32(h);
            layout.height = BigEndian32(h + 4);
            static const unsigned kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
            const unsigned colorType = h[9];
            layout.bitsPerPixel = h[8] * (colorType < 7 ? kChannels[colorType] : 0);
            first = false;
        }
        if (std::memcmp(type, "IDAT", 4) == 0) layout.pixelDataBytes += length;
        at += 12 + std::size_t(length);
        if (std::memcmp(type, "IEND", 4) == 0) break;
    }
    if (first) throw EInvalidGraphic("Invalid PNG picture: no chunks");
    return layout;
}

struct PngReadState {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
    char message[256];
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<PngReadState*>(png_get_io_ptr(png));
    if (count > state->size - state->position) png_error(png, "the data ends early");
    std::memcpy(out, state->data + state->position, count);
    state->position += count;
}

void OnPngError(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngReadState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Runs libpng; everything that owns memory lives outside this frame so the error jump skips
// no destructor.
bool ReadPng(png_structp png, png_infop info, TBitmap& out, std::vector<png_bytep>& rows,
             bool& hasAlpha) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, png_uint_32(MaxPictureSide), png_uint_32(MaxPictureSide));
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, 128);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    // Every form becomes 8-bit B, G, R, A.
    png_set_strip_16(png);
    png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4)
        png_error(png, "unexpected row layout");
    out.SetSize(int(width), int(height));
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(out.ScanLine(int(y)));
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

void DecodePng(TBitmap& bitmap, const void* data, std::size_t size) {
    if (!IsPng(data, size)) throw EInvalidGraphic("Invalid PNG picture: no signature");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const PngLayout layout = ScanChunks(bytes, size);
    if (layout.width == 0 || layout.height == 0 || layout.width > unsigned(MaxPictureSide) ||
        layout.height > unsigned(MaxPictureSide) ||
        std::int64_t(layout.width) * layout.height > MaxPicturePixels)
        throw EInvalidGraphic("Invalid PNG picture: the picture size " +
                              std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                              " is too large");
    const std::uint64_t pixelBytes =
        (std::uint64_t(layout.width) * layout.height * layout.bitsPerPixel + 7) / 8;
    if (pixelBytes > layout.pixelDataBytes * kMaxInflateRatio)
        throw EInvalidGraphic("Invalid PNG picture: " + std::to_string(layout.pixelDataBytes) +
                              " bytes of pixel data cannot hold a picture of " +
                              std::to_string(layout.width) + " x " + std::to_string(layout.height));

    PngReadState state{bytes, size, 0, {}};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, &OnPngError, &OnPngWarning);
    if (!png) throw EInvalidGraphic("Invalid PNG picture: out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw EInvalidGraphic("Invalid PNG picture: out of memory");
    }
    png_set_read_fn(png, &state, &ReadFromMemory);
    TBitmap result;
    std::vector<png_bytep> rows;
    bool hasAlpha = false;
    const bool ok = ReadPng(png, info, result, rows, hasAlpha);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) throw EInvalidGraphic(std::string("Invalid PNG picture: ") + state.message);
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
    WritePixels(bitmap.Bits(), bitmap.DeviceWidth(), bitmap.DeviceHeight(), bitmap.Stride(),
                withAlpha, out);
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

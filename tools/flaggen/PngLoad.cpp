#include "tools/flaggen/PngLoad.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <stdexcept>

namespace flaggen {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

[[noreturn]] void PngError(png_structp png, png_const_charp message) {
    // Unwinding through libpng's C frames is not allowed; jump back instead.
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    if (text) *text = message;
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

} // namespace

RgbaPicture LoadPng(const std::string& path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw std::runtime_error("cannot open " + path);

    std::string error;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, PngError, PngWarning);
    if (!png) throw std::runtime_error("out of memory reading " + path);
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw std::runtime_error("out of memory reading " + path);
    }

    RgbaPicture picture;
    std::vector<png_bytep> rows;
    std::vector<uint8_t> buffer;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("cannot decode " + path + ": " + error);
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    picture.width = static_cast<int>(png_get_image_width(png, info));
    picture.height = static_cast<int>(png_get_image_height(png, info));
    const size_t stride = png_get_rowbytes(png, info);
    buffer.resize(stride * picture.height);
    rows.resize(picture.height);
    for (int y = 0; y < picture.height; ++y) rows[y] = buffer.data() + y * stride;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* p = rows[y];
        for (int x = 0; x < picture.width; ++x, p += 4) {
            picture.pixels[y * picture.width + x] = (uint32_t(p[3]) << 24) |
                                                    (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) |
                                                    uint32_t(p[2]);
        }
    }
    return picture;
}

} // namespace flaggen

// aboutgen [--scale N] OUTPUT.jpg OUTPUT.inc
// Paints the background picture of the login page and writes it as a JPEG file and as the
// bytes of that file in C++ array form, for the program to carry inside itself. With a scale
// of 2 or 3 the same picture is painted at that many pixels a point, for dense screens.

#include "tools/aboutgen/PitchPicture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// The login page's client area: the picture is drawn at the size it is shown.
constexpr int kWidth = 801;
constexpr int kHeight = 567;
constexpr int kQuality = 90;

std::vector<unsigned char> EncodeJpeg(const aboutgen::Picture& picture) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(picture.width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < picture.width; ++x) {
            const aboutgen::Rgb& c = picture.At(x, y);
            row[size_t(x) * 3 + 0] = static_cast<unsigned char>(std::lround(c.r * 255));
            row[size_t(x) * 3 + 1] = static_cast<unsigned char>(std::lround(c.g * 255));
            row[size_t(x) * 3 + 2] = static_cast<unsigned char>(std::lround(c.b * 255));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string AsArray(const std::vector<unsigned char>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 5);
    char item[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(item, sizeof item, "%u,", bytes[i]);
        text += item;
        if (i % 24 == 23) text += '\n';
    }
    text += '\n';
    return text;
}

} // namespace

int main(int argc, char** argv) {
    int scale = 1;
    if (argc == 5 && std::string(argv[1]) == "--scale") {
        const std::string value = argv[2];
        scale = value == "1" ? 1 : value == "2" ? 2 : value == "3" ? 3 : 0;
        argv += 2;
        argc -= 2;
    }
    if (scale == 0 || argc != 3 || argv[1][0] == '-' || argv[2][0] == '-') {
        std::cerr << "usage: aboutgen [--scale 1|2|3] OUTPUT.jpg OUTPUT.inc\n";
        return 2;
    }
    try {
        const aboutgen::Picture picture =
            aboutgen::PaintPitchPicture(kWidth, kHeight, aboutgen::CalmAreas{}, scale);
        const std::vector<unsigned char> jpeg = EncodeJpeg(picture);
        WriteFile(argv[1], std::string(jpeg.begin(), jpeg.end()));
        WriteFile(argv[2], AsArray(jpeg));
    } catch (const std::exception& e) {
        std::cerr << "aboutgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

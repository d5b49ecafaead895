#pragma once
// Reads one small PNG file into an RGBA pixel list.

#include <cstdint>
#include <string>
#include <vector>

namespace flaggen {

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, rows top to bottom
};

// Throws std::runtime_error naming the file when it cannot be read or decoded.
RgbaPicture LoadPng(const std::string& path);

} // namespace flaggen

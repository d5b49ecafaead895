#pragma once
// A 16 x 16 picture as the generator builds it: 0xAARRGGBB pixels, rows top to bottom.

#include <array>
#include <cstdint>

namespace flaggen {

constexpr int kSide = 16;

struct Image16 {
    std::array<uint32_t, kSide * kSide> pixels{}; // all transparent at first

    uint32_t& At(int x, int y) { return pixels[y * kSide + x]; }
    uint32_t At(int x, int y) const { return pixels[y * kSide + x]; }
};

inline uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace flaggen

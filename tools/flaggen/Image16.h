#pragma once
// A 16 x 16 picture as the generator builds it: 0xAARRGGBB pixels, rows top to bottom.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace flaggen {

constexpr int kSide = 16;

struct Image16 {
    std::array<uint32_t, kSide * kSide> pixels{}; // all transparent at first

    uint32_t& At(int x, int y) { return pixels[y * kSide + x]; }
    uint32_t At(int x, int y) const { return pixels[y * kSide + x]; }
    static constexpr int Scale() { return 1; }
};

// The same 16 x 16 point picture drawn at `scale` pixels a point: 16 * scale pixels a side,
// for screens with more than one pixel to a point.
struct ScaledImage {
    explicit ScaledImage(int s)
        : scale(s), pixels(std::size_t(kSide * s) * std::size_t(kSide * s)) {}
    int scale;
    std::vector<uint32_t> pixels; // all transparent at first

    int Scale() const { return scale; }
    int Side() const { return kSide * scale; }
    uint32_t& At(int x, int y) { return pixels[std::size_t(y) * std::size_t(Side()) + x]; }
    uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(Side()) + x]; }
};

inline uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace flaggen

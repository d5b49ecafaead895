// The process-wide generator: xorshift-style state advanced by splitmix64, which is small,
// fast and uniform enough for pivots and noise.
#include "rtl/Random.h"

#include <chrono>

namespace {
uint64_t g_state = 0x2545F4914F6CDD1Dull;

uint64_t Next() {
    uint64_t z = (g_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

void Randomize() {
    g_state = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
              static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void SetRandSeed(uint64_t seed) {
    g_state = seed;
}

int Random(int range) {
    if (range <= 0) return 0;
    // Multiply-shift maps 32 random bits onto 0 .. range-1 without a division.
    uint64_t r = Next() >> 32;
    return static_cast<int>((r * static_cast<uint64_t>(range)) >> 32);
}

double Random() {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

#pragma once
// The process-wide pseudo-random generator. Its seed is fixed at start (the sequence repeats
// from run to run) until Randomize seeds it from the clock.
#include <cstdint>

void Randomize();
void SetRandSeed(uint64_t seed);
// A uniform integer 0 <= r < range (0 when range <= 0).
int Random(int range);
// A uniform double 0 <= r < 1.
double Random();

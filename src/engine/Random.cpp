#include "engine/Random.h"

void TRandom::Seed(uint64_t seed) { state_ = seed ^ 0x9E3779B97F4A7C15ull; }

// splitmix64: small, fast and good enough for dealing chips.
uint64_t TRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int TRandom::Random(int n) {
    if (n <= 0) return 0;
    // Multiply-shift keeps the result unbiased enough for n far below 2^32.
    return int(((Next() >> 32) * uint64_t(n)) >> 32);
}

double TRandom::RandomFloat() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

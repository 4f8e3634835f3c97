#pragma once
#include <cstdint>

// The game's one uniform generator. The shell seeds it from the clock; tests seed it
// to replay a game. Owned by whoever owns the game session, never a hidden static.
class TRandom {
public:
    explicit TRandom(uint64_t seed = 1) { Seed(seed); }
    void Seed(uint64_t seed);
    // Uniform integer in 0..n-1; 0 when n <= 0.
    int Random(int n);
    // Uniform in [0, 1).
    double RandomFloat();

private:
    uint64_t Next();
    uint64_t state_ = 0;
};

#pragma once

#include <cstdint>

// The program's random numbers: a 32-bit linear congruential generator.
// Reseeded from the clock at every tab switch and at every normal test;
// tests seed it directly.
class Random {
public:
    // seed := milliseconds since midnight of the system clock.
    void Randomize();
    void setSeed(uint32_t seed) { seed_ = seed; }
    uint32_t seed() const { return seed_; }
    // An integer in 0..n-1 (0 when n <= 0).
    int Next(int n);

private:
    uint32_t seed_ = 0;
};

#pragma once

#include <cstdint>

// The program's one random generator, a 32-bit linear congruential
// generator: seed := seed * 134775813 + 1 (mod 2^32). A random integer in
// 0..n-1 is the high 32 bits of the 64-bit product of the new seed and n; a
// random real in [0, 1) is the new seed / 2^32.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0) : seed_(seed) {}

    void setSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t seed() const { return seed_; }
    // The low 32 bits of a high-resolution counter.
    void seedFromClock();
    static std::uint32_t clockSeed();

    // Advances the seed and returns its new value.
    std::uint32_t next();
    // 0..n-1 for 1 <= n <= 2^32; 0 when n is 0.
    std::uint32_t integer(std::uint64_t n);
    // A uniform integer from `low` to `high`, both included; `low` <= `high`.
    std::int64_t between(std::int32_t low, std::int32_t high);
    // [0, 1).
    double real();

private:
    std::uint32_t seed_;
};

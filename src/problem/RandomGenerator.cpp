#include "problem/RandomGenerator.h"

#include <chrono>

namespace {
constexpr std::uint32_t kMultiplier = 134775813u;
constexpr double kTwoTo32 = 4294967296.0;
} // namespace

std::uint32_t RandomGenerator::clockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFFu);
}

void RandomGenerator::seedFromClock() { seed_ = clockSeed(); }

std::uint32_t RandomGenerator::next()
{
    // Unsigned arithmetic wraps modulo 2^32.
    seed_ = seed_ * kMultiplier + 1u;
    return seed_;
}

std::uint32_t RandomGenerator::integer(std::uint64_t n)
{
    const std::uint64_t product = std::uint64_t(next()) * n;
    return static_cast<std::uint32_t>(product >> 32);
}

std::int64_t RandomGenerator::between(std::int32_t low, std::int32_t high)
{
    // Up to 2^32 values: the width never overflows in 64 bits.
    const std::uint64_t count = std::uint64_t(std::int64_t(high) - std::int64_t(low)) + 1u;
    return std::int64_t(low) + std::int64_t(integer(count));
}

double RandomGenerator::real() { return double(next()) / kTwoTo32; }

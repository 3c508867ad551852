#include "random_source.h"

#include <bit>
#include <chrono>

namespace {

constexpr std::uint64_t multiplier = 6364136223846793005u;
constexpr std::uint64_t increment = 1442695040888963407u;

} // namespace

void DefaultRandomSource::seed_from_clock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void DefaultRandomSource::seed(std::uint64_t seed) {
    state_ = 0;
    next_bits();
    state_ += seed;
    next_bits();
}

float DefaultRandomSource::draw() {
    // 24 random bits times 2^-24 is exact in a float and at most 1 - 2^-24,
    // so the value can never round up to 1.0.
    return static_cast<float>(next_bits() >> 8) * 0x1p-24f;
}

std::uint32_t DefaultRandomSource::next_bits() {
    const std::uint64_t old = state_;
    state_ = old * multiplier + increment;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    return std::rotr(xorshifted, static_cast<int>(old >> 59u));
}

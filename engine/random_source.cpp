#include "random_source.h"

#include <bit>
#include <chrono>

namespace {

constexpr std::uint64_t multiplier = 6364136223846793005u;

// Kept out of the class so that both draw() and draw_many() inline it.
std::uint32_t next_bits(std::uint64_t& state, std::uint64_t increment) {
    const std::uint64_t old = state;
    state = old * multiplier + increment;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    return std::rotr(xorshifted, static_cast<int>(old >> 59u));
}

// 24 random bits times 2^-24 is exact in a float and at most 1 - 2^-24,
// so the value can never round up to 1.0.
float to_unit(std::uint32_t bits) {
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

} // namespace

void DefaultRandomSource::seed_from_clock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void DefaultRandomSource::seed(std::uint64_t seed, std::uint64_t stream) {
    increment_ = (stream << 1u) | 1u; // any odd increment gives the full period
    state_ = 0;
    next_bits(state_, increment_);
    state_ += seed;
    next_bits(state_, increment_);
}

float DefaultRandomSource::draw() {
    return to_unit(next_bits(state_, increment_));
}

void DefaultRandomSource::draw_many(std::span<float> values) {
    std::uint64_t state = state_;
    const std::uint64_t increment = increment_;
    for (float& value : values) {
        value = to_unit(next_bits(state, increment));
    }
    state_ = state;
}

#pragma once

#include <cstdint>

// A source of single-precision values uniformly distributed in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float draw() = 0;
};

// The program's generator: PCG32 (XSH RR), one for the whole run.
class DefaultRandomSource final : public RandomSource {
public:
    void seed_from_clock();
    void seed(std::uint64_t seed);
    float draw() override;

private:
    std::uint32_t next_bits();

    std::uint64_t state_ = 0;
};

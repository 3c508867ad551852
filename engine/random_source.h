#pragma once

#include <cstdint>
#include <span>

// A source of single-precision values uniformly distributed in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float draw() = 0;

    // Fills `values` with the values that as many calls to draw() would give,
    // in the same order. A generator overrides it to spare a call per die.
    virtual void draw_many(std::span<float> values) {
        for (float& value : values) {
            value = draw();
        }
    }
};

// The program's generator: PCG32 (XSH RR), one for the whole run.
class DefaultRandomSource final : public RandomSource {
public:
    void seed_from_clock();
    void seed(std::uint64_t seed);
    float draw() override;
    void draw_many(std::span<float> values) override;

private:
    std::uint64_t state_ = 0;
};

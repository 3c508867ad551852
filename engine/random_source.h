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
    // The stream the program has always drawn from.
    static constexpr std::uint64_t default_stream = 721347520444481703u;

    void seed_from_clock();
    // Each stream is a sequence of its own; a seed picks the start within it.
    void seed(std::uint64_t seed, std::uint64_t stream = default_stream);
    float draw() override;
    void draw_many(std::span<float> values) override;

private:
    std::uint64_t state_ = 0;
    std::uint64_t increment_ = (default_stream << 1u) | 1u;
};

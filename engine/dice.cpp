#include "dice.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <vector>

std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random) {
    // Drawn a chunk at a time: one call to the generator per chunk, not per die.
    std::array<float, 256> chunk;
    std::int32_t sum = 0;
    for (std::size_t left = static_cast<std::size_t>(std::max<std::int16_t>(count, 0)); left > 0;) {
        const std::span<float> draws(chunk.data(), std::min(left, chunk.size()));
        random.draw_many(draws);
        for (const float r : draws) {
            sum += die_value(faces, r);
        }
        left -= draws.size();
    }
    return sum;
}

std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random) {
    if (keep >= rolls) {
        return roll_sum(rolls, faces, random);
    }
    std::vector<float> draws(static_cast<std::size_t>(rolls));
    random.draw_many(draws);
    // A higher draw never makes a lower die, so the best draws are the best
    // throws; and only which are kept matters to the sum, not their order.
    const auto kept_end = draws.begin() + keep;
    std::nth_element(draws.begin(), kept_end, draws.end(), std::greater<>());
    return std::accumulate(
        draws.begin(), kept_end, std::int32_t{0},
        [faces](std::int32_t sum, float r) { return sum + die_value(faces, r); });
}

#include "dice.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

std::int32_t die_value(std::int16_t faces, float r) {
    // Both factors have 24-bit mantissas, so their product is exact in a double.
    const double scaled = static_cast<double>(static_cast<float>(faces)) * static_cast<double>(r);
    return static_cast<std::int32_t>(std::floor(scaled)) + 1;
}

std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random) {
    std::int32_t sum = 0;
    for (std::int16_t i = 0; i < count; ++i) {
        sum += die_value(faces, random.draw());
    }
    return sum;
}

std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random) {
    if (keep >= rolls) {
        return roll_sum(rolls, faces, random);
    }
    std::vector<std::int32_t> throws(static_cast<std::size_t>(rolls));
    for (auto& thrown : throws) {
        thrown = die_value(faces, random.draw());
    }
    // Only which values are kept matters to the sum, not their order.
    const auto kept_end = throws.begin() + keep;
    std::nth_element(throws.begin(), kept_end, throws.end(), std::greater<>());
    return std::accumulate(throws.begin(), kept_end, std::int32_t{0});
}

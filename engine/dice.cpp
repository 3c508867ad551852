#include "dice.h"

#include <algorithm>
#include <array>

namespace {

// Hands the values of `count` throws of a `faces`-sided die to `take`, in the
// order drawn. Drawn a chunk at a time: one call to the generator per chunk,
// not per die.
template <typename Take>
void throw_dice(std::int16_t count, std::int16_t faces, RandomSource& random, Take take) {
    std::array<float, 64> chunk;
    for (std::size_t left = static_cast<std::size_t>(std::max<std::int16_t>(count, 0)); left > 0;) {
        const std::span<float> draws(chunk.data(), std::min(left, chunk.size()));
        random.draw_many(draws);
        for (const float r : draws) {
            take(die_value(faces, r));
        }
        left -= draws.size();
    }
}

// The sum of the first `count` dice met walking the values from `from` by
// `step`: all the dice of each value, up to the value of which only some are
// needed. There are at least `count` dice between `from` and the far end.
std::int32_t sum_of_first(std::span<const std::uint16_t> showing, int from, int step, int count) {
    std::int32_t sum = 0;
    int taken = 0;
    int value = from;
    for (; taken + showing[value] < count; value += step) {
        taken += showing[value];
        sum += showing[value] * value;
    }
    return sum + (count - taken) * value;
}

} // namespace

std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random) {
    std::int32_t sum = 0;
    throw_dice(count, faces, random, [&sum](std::int32_t value) { sum += value; });
    return sum;
}

std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random) {
    if (keep >= rolls) {
        return roll_sum(rolls, faces, random);
    }
    // Die values are whole numbers from 1 to `top`, so counting the dice that
    // show each value finds the best ones without sorting anything.
    const int top = std::max<int>(faces, 1);
    std::array<std::uint16_t, max_keep_best_faces + 1> showing;
    std::fill_n(showing.begin(), top + 1, 0);
    std::int32_t all = 0;
    throw_dice(rolls, faces, random, [&](std::int32_t value) {
        ++showing[value];
        all += value;
    });
    // Whichever is shorter: the kept dice from the top down, or the dropped
    // ones from the bottom up, taken off the sum of all.
    const int dropped = rolls - keep;
    return dropped < keep ? all - sum_of_first(showing, 1, 1, dropped)
                          : sum_of_first(showing, top, -1, keep);
}

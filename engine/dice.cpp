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

// As throw_dice, listing the first dice as well. Drawing the listed dice apart
// from the rest draws the same values, and leaves the loop over the many
// others as it is.
template <typename Take>
void throw_listing(std::int16_t count, std::int16_t faces, RandomSource& random,
                   std::vector<DieDetail>& listed, Take take) {
    listed.clear();
    const auto first = std::min<std::int16_t>(count, max_dice_listed);
    throw_dice(first, faces, random, [&](std::int32_t value) {
        listed.push_back({static_cast<std::int16_t>(value)});
        take(value);
    });
    throw_dice(static_cast<std::int16_t>(count - first), faces, random, take);
}

// Where a walk through the values stopped: the value it stopped at, and how
// many dice of that value it took.
struct Walk {
    std::int32_t sum;
    int value;
    int taken_at_value;
};

// The sum of the first `count` dice met walking the values from `from` by
// `step`: all the dice of each value, up to the value of which only some are
// needed. There are at least `count` dice between `from` and the far end.
Walk walk_first(std::span<const std::uint16_t> showing, int from, int step, int count) {
    std::int32_t sum = 0;
    int taken = 0;
    int value = from;
    for (; taken + showing[value] < count; value += step) {
        taken += showing[value];
        sum += showing[value] * value;
    }
    return {sum + (count - taken) * value, value, count - taken};
}

// The lowest value a keep-best term kept, and how many dice of that value it kept.
struct Cut {
    int value = 0;
    int kept_at_value = 0;
};

// Throws with `throw_all` and sums the `keep` highest of the `rolls` dice.
template <typename ThrowAll>
std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                       ThrowAll throw_all, Cut& cut) {
    // Die values are whole numbers from 1 to `top`, so counting the dice that
    // show each value finds the best ones without sorting anything.
    const int top = std::max<int>(faces, 1);
    std::array<std::uint16_t, max_keep_best_faces + 1> showing;
    std::fill_n(showing.begin(), top + 1, 0);
    std::int32_t all = 0;
    throw_all([&](std::int32_t value) {
        ++showing[value];
        all += value;
    });
    // Whichever is shorter: the kept dice from the top down, or the dropped
    // ones from the bottom up, taken off the sum of all.
    const int dropped = rolls - keep;
    if (dropped < keep) {
        const Walk walk = walk_first(showing, 1, 1, dropped);
        cut = {walk.value, showing[walk.value] - walk.taken_at_value};
        return all - walk.sum;
    }
    const Walk walk = walk_first(showing, top, -1, keep);
    cut = {walk.value, walk.taken_at_value};
    return walk.sum;
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
    Cut cut;
    return keep_best(
        keep, faces, rolls, [&](auto take) { throw_dice(rolls, faces, random, take); }, cut);
}

std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random,
                      std::vector<DieDetail>& listed) {
    std::int32_t sum = 0;
    throw_listing(count, faces, random, listed, [&sum](std::int32_t value) { sum += value; });
    return sum;
}

std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random, std::vector<DieDetail>& listed) {
    if (keep >= rolls) {
        return roll_sum(rolls, faces, random, listed);
    }
    Cut cut;
    const std::int32_t sum = keep_best(
        keep, faces, rolls, [&](auto take) { throw_listing(rolls, faces, random, listed, take); },
        cut);
    // The listed dice are the first thrown, so they hold the first of the cut
    // value that were kept.
    int seen_at_cut = 0;
    for (DieDetail& die : listed) {
        die.dropped =
            die.value < cut.value || (die.value == cut.value && seen_at_cut++ >= cut.kept_at_value);
    }
    return sum;
}

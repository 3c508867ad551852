#pragma once

#include "random_source.h"
#include "roll_detail.h"

#include <cstdint>
#include <vector>

// The value of one throw of a die of `faces` faces for a drawn value r in [0, 1):
// 1..faces, and 1 for a die of 0 faces. Inline, as it runs once per die.
inline std::int32_t die_value(std::int16_t faces, float r) {
    // Both factors have 24-bit mantissas, so their product is exact in a double;
    // it is never negative, so truncation is the floor.
    const double scaled = static_cast<double>(static_cast<float>(faces)) * static_cast<double>(r);
    return static_cast<std::int32_t>(scaled) + 1;
}

// The sum of `count` throws of a die of `faces` faces, drawn in order.
std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random);

// The most faces a keep-best term may have: it counts its dice per value.
constexpr std::int16_t max_keep_best_faces = 1000;

// Throws `rolls` dice of `faces` faces and sums the `keep` highest
// (1 <= keep <= rolls, faces <= max_keep_best_faces).
std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random);

// The same throws, drawing exactly as the functions above do, that also list
// the first max_dice_listed dice in `listed` (emptied first), in the order
// thrown. A keep-best term marks the dice it drops: among equal values the
// later ones, so that the earlier thrown are kept.
std::int32_t roll_sum(std::int16_t count, std::int16_t faces, RandomSource& random,
                      std::vector<DieDetail>& listed);
std::int32_t roll_keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls,
                            RandomSource& random, std::vector<DieDetail>& listed);

#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <span>

// What evaluating a formula must show, worked out apart from the evaluator:
// the formula is cut into terms at "+" and each term into digit groups at
// "d" and "/", then each term is read from its groups as a whole.
struct Expected {
    bool writes = true; // false only when a misplaced "/" is the sole error
    QString text;       // what the result box shows when writes is true
    bool shows_total = false;
    std::int64_t lowest = 0; // the bounds any throw of the dice keeps the total in
    std::int64_t highest = 0;
    // One draw per die, in error too, except in terms whose count, faces or rolls
    // is past the limit.
    std::size_t draws = 0;
};

// `draws` are the values a source replays over and over, as ScriptedRandomSource does.
Expected expect(const QString& input, std::span<const float> draws);

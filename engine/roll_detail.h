#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// What one evaluation threw, term by term, so that the window can show the
// dice behind a total. It is bounded whatever the formula: a long term lists
// its first dice and a long formula its first terms; the sums stay exact.

constexpr int max_dice_listed = 20;  // per term
constexpr int max_terms_listed = 50; // per formula

// One die as thrown.
struct DieDetail {
    std::int16_t value = 0;
    bool dropped = false; // a keep-best term left it out of its sum
};

struct TermDetail {
    enum class Kind { number, dice, keep_best };
    Kind kind = Kind::number;
    std::int64_t sum = 0;        // the number itself, or the sum of the kept dice
    std::int16_t faces = 0;      // as read: a die of 0 faces counts 1
    std::int16_t kept = 0;       // dice summed; every die of a plain dice term
    std::int16_t thrown = 0;     // dice thrown, rolls for a keep-best term
    std::vector<DieDetail> dice; // the first dice, in the order thrown
};

// The message the result box shows, if any.
enum class FormulaError { none, empty, too_big, bad_char };

// What an evaluation did to the result box.
enum class RollOutcome {
    total,     // wrote the total and started the fade
    message,   // wrote a question-mark message
    unchanged, // wrote nothing: a misplaced "/" alone leaves the box as it was
};

struct RollDetail {
    // The first terms, in order; empty terms are left out, and a formula in
    // error lists none.
    std::vector<TermDetail> terms;
    std::int64_t terms_not_listed = 0;

    FormulaError error = FormulaError::none; // the last message written, which stays shown
    char32_t bad_char = 0;        // the character of a bad_char message, lower-cased; 0 otherwise
    bool misplaced_slash = false; // a "/" outside a dice term, which writes no message
    RollOutcome outcome = RollOutcome::total;
};

// The smallest and largest totals a formula can give, and its mean when it
// could be had exactly within the time of a frame.
struct FormulaOdds {
    std::int64_t min = 0;
    std::int64_t max = 0;
    std::optional<double> mean;
};

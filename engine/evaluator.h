#pragma once

#include "evaluator_state.h"
#include "random_source.h"
#include "result_sink.h"
#include "roll_detail.h"

#include <QString>

// The largest number a formula may hold; a larger one is an error.
constexpr std::int32_t max_number = 1000;

// What the result box shows for a formula in error: "?", "???" or "??? : x";
// nothing for none. The character is shown as it came, a lone surrogate too.
QString error_message(FormulaError error, char32_t bad_char);

// Reads a dice formula such as "3d6/4+2d8+1", throws its dice and shows either
// the total or a question-mark message through the sink.
void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink);

// The same evaluation, drawing exactly the same dice, that also fills `detail`
// with what was thrown, which message, if any, the result box shows, and
// whether the box got a total, a message or nothing new.
void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink, RollDetail& detail);

// The range and mean of a formula's total, read by the evaluator's own rules
// without throwing anything. The mean is left out when working it out would
// take longer than a frame (thousands of distinct large keep-best terms).
// A formula in error has no total, and gets 0, 0 and no mean.
FormulaOdds formula_odds(const QString& input);

#pragma once

#include "evaluator_state.h"
#include "random_source.h"
#include "result_sink.h"

#include <QString>

// The largest number a formula may hold; a larger one is an error.
constexpr std::int32_t max_number = 1000;

// Reads a dice formula such as "3d6/4+2d8+1", throws its dice and shows either
// the total or a question-mark message through the sink.
void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink);

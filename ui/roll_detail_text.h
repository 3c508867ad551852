#pragma once

#include "engine/roll_detail.h"

#include <QString>

// The French words of an evaluation: the dice behind a total and the odds of
// its formula, or what went wrong. One term a line, then the range and mean.
QString detail_text(const RollDetail& detail, const FormulaOdds& odds);

// What the result box came to show: its text, or that it was left as it was.
QString shown_result(const RollDetail& detail, const QString& box_text);

// What a screen reader says of an evaluation. Speech often skips question
// marks, so an error is said in words after the box's text.
QString spoken_result(const RollDetail& detail, const QString& box_text);

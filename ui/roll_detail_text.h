#pragma once

#include "engine/roll_detail.h"

#include <QString>

// The French words of one evaluation, made from its data alone, so that they
// can be made whenever the window is ready for them.
struct RollWords {
    // The dice behind a total, one term a line, then the range and mean of its
    // formula; or what went wrong. The result box's tooltip and description
    // while the box shows what they describe, and the history's detail.
    QString detail;
    // What a screen reader says. Speech often skips question marks, so an
    // error is said in words after the box's text.
    QString spoken;
    // What the history says the result box came to show.
    QString shown;
};

// `box_text` is what the result box shows after the evaluation; `odds` are
// those of its formula, read only for a total.
RollWords roll_words(const RollDetail& detail, const FormulaOdds& odds, const QString& box_text);

// What a screen reader says, as in roll_words(), without the dice and odds:
// it is ready as soon as the result box is.
QString spoken_words(const RollDetail& detail, const QString& box_text);

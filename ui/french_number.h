#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

// A whole number as French writes it, its digits grouped in threes by a narrow
// no-break space: "32 768".
QString french_number(std::int64_t value);

// "10,50": a mean, to two decimals.
QString french_mean(double mean);

// The French of France, in which every number in the windows is written.
const QLocale& french_locale();

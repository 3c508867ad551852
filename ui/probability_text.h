#pragma once

#include <QString>

// A probability in French, as a percentage: "12,35 %". Two decimals, or as
// many as it takes to show two significant digits, so that a tiny chance is
// not shown as nothing ("0,000 013 %") and one short of certain is not shown
// as certain ("99,999 87 %"). Below 1e-9 the digits become a power of ten
// ("1,3 × 10⁻¹² %"); within 1e-9 of certainty, past what the figures are
// exact to, it says so ("> 99,999 999 9 %"). Only an exact 0 or 1 shows as
// "0 %" or "100 %"; a chance too small for a double to hold is "less than"
// the smallest it holds.
QString probability_text(double probability);

// A percentage with a fixed number of decimals, as the axis of a chart shows it.
QString percent_text(double percent, int decimals);

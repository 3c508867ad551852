#pragma once

#include "distribution.h"
#include "work_meter.h"

#include <cstdint>
#include <vector>

// A distribution of the totals from `min` on, without the totals at either
// end less likely than the smallest normal double (or below it themselves).
Distribution settled(std::int64_t min, std::vector<double> p);

// The distribution of the sum of two independent totals, directly: every
// product is added, never subtracted, so that each probability keeps its
// significant digits. Costs a.p.size() * b.p.size() products.
// Empty when the meter stopped the work.
Distribution sum_of(const Distribution& a, const Distribution& b, WorkMeter& meter);
WorkCost sum_cost(std::int64_t a_totals, std::int64_t b_totals);

// The sum of `copies` independent totals of one distribution, by squaring.
Distribution copies_of(Distribution one, std::int64_t copies, WorkMeter& meter);
WorkCost copies_cost(std::int64_t totals, std::int64_t copies);

#pragma once

#include "distribution.h"
#include "work_meter.h"

#include <cstdint>

// The distribution of the sum of `count` dice of `faces` faces (faces >= 2).
// Empty when the meter stopped the work.
Distribution dice_sum(std::int64_t count, int faces, WorkMeter& meter);
WorkCost dice_sum_cost(std::int64_t count, int faces);

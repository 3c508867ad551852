#pragma once

#include "work_meter.h"

#include <cstdint>
#include <vector>

// The probabilities of the sum of the `keep` best of `rolls` dice of `faces`
// faces (1 <= keep < rolls <= 1000, 2 <= faces <= 1000), for the totals keep
// to keep * faces in order. Those below the smallest normal double are 0.
// Empty when the meter stopped the work.
std::vector<double> keep_best_sum(int keep, int faces, int rolls, WorkMeter& meter);
WorkCost keep_best_sum_cost(int keep, int faces, int rolls);

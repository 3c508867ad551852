#include "distribution_sum.h"

#include <algorithm>
#include <cfloat>
#include <utility>

namespace {

constexpr double ns_per_product = 0.35; // as measured
constexpr std::size_t block = 8192;     // 64 KiB of values

std::int64_t sum_totals(std::int64_t a, std::int64_t b) {
    return a + b - 1;
}

} // namespace

Distribution settled(std::int64_t min, std::vector<double> p) {
    for (double& x : p) {
        x = x < DBL_MIN ? 0.0 : x;
    }
    const auto positive = [](double x) { return x > 0.0; };
    const auto last = std::find_if(p.rbegin(), p.rend(), positive);
    p.erase(last.base(), p.end());
    const auto first = std::find_if(p.begin(), p.end(), positive);
    const std::int64_t skipped = first - p.begin();
    p.erase(p.begin(), first);
    return {min + skipped, std::move(p)};
}

WorkCost sum_cost(std::int64_t a_totals, std::int64_t b_totals) {
    return {double(a_totals) * double(b_totals) * ns_per_product,
            bytes_of_totals(sum_totals(a_totals, b_totals))};
}

Distribution sum_of(const Distribution& a, const Distribution& b, WorkMeter& meter) {
    if (a.p.empty() || b.p.empty()) { // a part the meter stopped
        return {};
    }
    // The longer one inside, where the products are vectorised, a block at a
    // time: the block and the part of the sum it reaches stay in the cache.
    const std::vector<double>& outer = a.p.size() < b.p.size() ? a.p : b.p;
    const std::vector<double>& inner = a.p.size() < b.p.size() ? b.p : a.p;
    std::vector<double> p(outer.size() + inner.size() - 1, 0.0);
    for (std::size_t start = 0; start < inner.size(); start += block) {
        const std::size_t end = std::min(start + block, inner.size());
        for (std::size_t i = 0; i < outer.size(); ++i) {
            const double x = outer[i];
            double* const out = p.data() + i;
            for (std::size_t j = start; j < end; ++j) {
                out[j] += x * inner[j];
            }
            if (!meter.add(double(end - start) * ns_per_product)) {
                return {};
            }
        }
    }
    return settled(a.min + b.min, std::move(p));
}

// Both walk the bits of `copies` alike: the squares of one, multiplied into
// the result where a bit is set.
WorkCost copies_cost(std::int64_t totals, std::int64_t copies) {
    WorkCost cost;
    std::int64_t square = totals;
    std::int64_t result = 0;
    for (std::int64_t left = copies;;) {
        if (left & 1) {
            if (result != 0) {
                const WorkCost step = sum_cost(result, square);
                cost.ns += step.ns;
                cost.bytes = std::max(cost.bytes, step.bytes + bytes_of_totals(result + square));
            }
            result = result == 0 ? square : sum_totals(result, square);
        }
        left >>= 1;
        if (left == 0) {
            return cost;
        }
        const WorkCost step = sum_cost(square, square);
        cost.ns += step.ns;
        cost.bytes = std::max(cost.bytes, step.bytes + bytes_of_totals(result + square));
        square = sum_totals(square, square);
    }
}

Distribution copies_of(Distribution one, std::int64_t copies, WorkMeter& meter) {
    Distribution square = std::move(one);
    Distribution result;
    for (std::int64_t left = copies;;) {
        if (left & 1) {
            if (!result.p.empty()) {
                result = sum_of(result, square, meter);
            } else if (left == 1) {
                return square;
            } else {
                result = square;
            }
        }
        left >>= 1;
        if (left == 0 || meter.stop() != WorkMeter::Stop::none) {
            return result;
        }
        square = sum_of(square, square, meter);
    }
}

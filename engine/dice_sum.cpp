#include "dice_sum.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <utility>

// The sum's generating function is x^count Q(x) with Q = (1 - x^faces)^count
// (1 - x)^-count, and Q'/Q = count/(1 - x) - count faces x^(faces-1)/(1 - x^faces).
// Cleared of fractions and read coefficient by coefficient, that gives
//   (n+1) q[n+1] = (n + count) q[n] - (count faces + faces - 1 - n) q[n-faces+1]
//                  + (count (faces-1) + faces - n) q[n-faces]
// so that each probability costs a few operations, whatever the count: the
// whole sum costs count * faces / 2 steps, as the other half is its mirror.
// The terms partly cancel near the middle, so the steps are taken in long
// double: against the same steps in 113-bit floats, the largest relative
// error is 1.1e-15 for 1000d1000 and 7e-15 for 3000d1000.

namespace {

// The steps between two looks at the meter, and the time of each, as measured.
constexpr std::int64_t steps_per_look = 4096;
constexpr double ns_per_step = 12.0;
constexpr double ns_per_total = 1.5;

// long double reaches 2^-16382: the values are kept within 2^+-16000 by a
// power of two kept aside, which only sums of thousands of dice need.
constexpr int rescale_bits = 15000;
constexpr long double too_small = 0x1p-16000L;
constexpr long double too_large = 0x1p16000L;

double to_double(long double value, long exponent) {
    const long double scaled = exponent == 0 ? value : std::ldexp(value, int(exponent));
    return scaled < DBL_MIN ? 0.0 : double(scaled);
}

} // namespace

WorkCost dice_sum_cost(std::int64_t count, int faces) {
    const std::int64_t totals = count * (faces - 1) + 1;
    return {double(totals) * (ns_per_step / 2 + ns_per_total),
            bytes_of_totals(totals) + std::int64_t(std::bit_ceil(unsigned(faces) + 2)) *
                                          std::int64_t{sizeof(long double)}};
}

Distribution dice_sum(std::int64_t count, int faces, WorkMeter& meter) {
    const std::int64_t last = count * (faces - 1);
    // The steps read back faces + 1 values at most: a ring of them, where
    // those before the first read as 0.
    const std::uint64_t mask = std::bit_ceil(std::uint64_t(faces) + 2) - 1;
    std::vector<long double> q(mask + 1, 0.0L);
    auto at = [&](std::int64_t n) -> long double& { return q[std::uint64_t(n) & mask]; };

    long exponent = 0; // q[n] * 2^exponent is the probability of count + n
    long double first = 1.0L;
    for (std::int64_t i = 0; i < count; ++i) {
        first /= faces;
        if (first < too_small) {
            first = std::ldexp(first, rescale_bits);
            exponent -= rescale_bits;
        }
    }

    // The probabilities grow up to the middle: the first one a double holds
    // gives the size, and none before it is kept.
    std::vector<double> p;
    std::int64_t skipped = 0;
    const long double dice = count;
    const long double f = faces;
    const std::int64_t middle = last / 2;
    // q[n] stays in a register from one step to the next: the steps wait for
    // nothing else, as the older values were written long before.
    long double current = first;
    for (std::int64_t n = 0;; ++n) {
        at(n) = current;
        const double value = to_double(current, exponent);
        if (value > 0.0 && p.empty()) {
            skipped = n;
            p.reserve(std::size_t(last - 2 * n + 1));
        }
        if (!p.empty() || value > 0.0) {
            p.push_back(value);
        }
        if (n == middle) {
            break;
        }
        const long double ln = n;
        const long double r = 1.0L / (ln + 1);
        const long double older = ((ln - f + 1 - dice * f) * at(n - faces + 1) +
                                   (dice * (f - 1) - ln + f) * at(n - faces)) *
                                  r;
        current = (ln + dice) * r * current + older;
        if (current > too_large) {
            for (long double& older_value : q) {
                older_value = std::ldexp(older_value, -rescale_bits);
            }
            current = std::ldexp(current, -rescale_bits);
            exponent += rescale_bits;
        }
        if ((n + 1) % steps_per_look == 0 &&
            !meter.add(steps_per_look * (ns_per_step + 2 * ns_per_total))) {
            return {};
        }
    }
    for (std::int64_t n = middle + 1; n <= last - skipped; ++n) {
        p.push_back(p[std::size_t(last - n - skipped)]);
    }
    return {count + skipped, std::move(p)};
}

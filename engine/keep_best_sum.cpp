#include "keep_best_sum.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <utility>

// Split on the lowest kept value m. When a dice show more than m (a < keep),
// at least keep - a show m and the rest less, the kept sum is keep * m plus
// the sum of a dice of faces - m faces, each of those dice being uniform above
// m. So the sum's generating function is
//   sum over m of x^(keep m) sum over a < keep of w(m, a) U(x)^a,
// with U the die of faces - m faces and w(m, a) the chance of that split.
// The inner sum is worked out by Horner's rule, a die added at each step as
// sums of windows of faces - m values. Cost: about keep^2 faces^2 / 2 window
// sums in all, and memory for 4 keep faces values. Splitting on the highest
// dropped value would need as many dice, as every die above it is kept;
// a dynamic programme over the faces from the top, with the dice placed and
// the sum kept, costs about keep^3 faces^2 / 12; an FFT would lose the
// relative precision of the small probabilities.

namespace {

constexpr double ns_per_value = 0.7; // per window sum, as measured

double to_double(long double value) {
    return value < DBL_MIN ? 0.0 : double(value);
}

// w(m, a) for a < keep: the chance that a dice show more than m and, of the
// rolls - a others, all at or below m, at most rolls - keep below m. Both are
// binomial: the first in rolls trials of (faces - m) / faces, the second in
// rolls - a trials of (m - 1) / m, whose tail grows with a by
//   P(B(n - 1) <= d) = P(B(n) <= d) + (m - 1)/m P(B(n - 1) = d).
// long double holds (1/1000)^1000 without underflow, and every step adds or
// multiplies non-negative values.
void lowest_kept_weights(int keep, int faces, int rolls, int m, std::vector<double>& w) {
    const int dropped = rolls - keep;
    const long double lm = m;
    const long double below = (lm - 1) / lm;
    long double above = std::pow(lm / faces, rolls); // P(a dice above m), from a = 0
    long double term = std::pow(1.0L / lm, rolls);   // P(B(rolls) = c), from c = 0
    long double tail = term;
    for (int c = 0; c < dropped; ++c) {
        term *= (lm - 1) * (rolls - c) / (c + 1);
        tail += term;
    }
    for (int a = 0; a < keep; ++a) {
        w[std::size_t(a)] = to_double(above * tail);
        above *= (long double)(faces - m) * (rolls - a) / (lm * (a + 1));
        term *= lm * (rolls - a - dropped) / (rolls - a);
        tail += below * term;
    }
}

// Window sums as the van Herk-Gil-Werman filter makes them: the window ending
// at j is the part of j's block of k values up to j, plus the part of the
// block before from j - k + 1. Both are sums of non-negative values, so that
// nothing cancels and each sum keeps its relative precision.
// out[0] = constant, out[t] = (h[t-k] + ... + h[t-1]) / k for t < len + k;
// h holds k zeros after its len values, and suffix len values.
void add_die(const double* h, std::size_t len, std::size_t k, double constant, double* suffix,
             double* out) {
    for (std::size_t start = 0; start < len; start += k) {
        double sum = 0.0;
        for (std::size_t i = std::min(start + k, len); i-- > start;) {
            sum += h[i];
            suffix[i] = sum;
        }
    }
    const double scale = 1.0 / double(k);
    const std::size_t end = len + k - 1;
    out[0] = constant;
    double prefix = 0.0;
    for (std::size_t j = 0; j < std::min(k, end); ++j) {
        prefix += h[j];
        out[j + 1] = prefix * scale;
    }
    for (std::size_t start = k; start < end; start += k) {
        prefix = 0.0;
        const std::size_t block_end = std::min(start + k, end);
        for (std::size_t j = start; j < block_end; ++j) {
            prefix += h[j];
            const double before = j + 1 == start + k ? 0.0 : suffix[j + 1 - k];
            out[j + 1] = (prefix + before) * scale;
        }
    }
}

// The window sums of the Horner steps for one m, all weights counted.
double horner_values(int keep, std::int64_t k) {
    const std::int64_t steps = keep - 1;
    return double(k * steps * (steps - 1) + steps * (k + 2) + steps * k + 1);
}

} // namespace

WorkCost keep_best_sum_cost(int keep, int faces, int rolls) {
    double values = 0.0;
    for (int m = 1; m <= faces; ++m) {
        values += horner_values(keep, faces - m) + rolls;
    }
    const std::int64_t totals = std::int64_t{keep} * (faces - 1) + 1;
    return {values * ns_per_value, (4 * totals + 3 * faces) * std::int64_t{sizeof(double)}};
}

std::vector<double> keep_best_sum(int keep, int faces, int rolls, WorkMeter& meter) {
    const std::size_t totals = std::size_t(keep) * std::size_t(faces - 1) + 1;
    std::vector<double> p(totals, 0.0);
    std::vector<double> w(static_cast<std::size_t>(keep));
    // Each step writes what the next one reads: the pages of the longest
    // steps, which may never come, are not touched.
    auto h = std::make_unique_for_overwrite<double[]>(totals + std::size_t(faces));
    auto next = std::make_unique_for_overwrite<double[]>(totals + std::size_t(faces));
    const auto suffix = std::make_unique_for_overwrite<double[]>(totals);
    for (int m = 1; m <= faces; ++m) {
        double counted = rolls;
        lowest_kept_weights(keep, faces, rolls, m, w);
        // Weights too small for a double end the sum early, or leave it out.
        const auto last = std::find_if(w.rbegin(), w.rend(), [](double x) { return x > 0.0; });
        if (last != w.rend()) {
            const std::size_t k = std::size_t(faces - m);
            std::size_t len = 1;
            h[0] = *last;
            for (auto weight = last + 1; weight != w.rend(); ++weight) {
                std::fill_n(h.get() + len, k, 0.0);
                add_die(h.get(), len, k, *weight, suffix.get(), next.get());
                std::swap(h, next);
                const double values = double(2 * len + k);
                counted += values;
                len += k;
                if (!meter.add(values * ns_per_value)) {
                    return {};
                }
            }
            double* const out = p.data() + std::size_t(keep) * std::size_t(m - 1);
            for (std::size_t i = 0; i < len; ++i) {
                out[i] += h[i];
            }
        }
        meter.add((horner_values(keep, faces - m) + rolls - counted) * ns_per_value);
    }
    for (double& x : p) {
        x = x < DBL_MIN ? 0.0 : x;
    }
    return p;
}

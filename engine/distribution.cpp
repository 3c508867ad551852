#include "distribution.h"

#include <algorithm>

namespace {

// The probabilities are accurate to about 1e-13, so that a cumulative sum of
// exactly 1/2 (the median of 1d6) can come out an ulp short of it, and two
// equally likely totals (3d6's 10 and 11) an ulp apart.
constexpr double half_tolerance = 1e-12;
constexpr double tie_tolerance = 1e-9; // relative

} // namespace

// Summed one by one from the far end, the tail of t + 1 is a partial sum of
// the tail of t: tails never grow as t grows, whatever the rounding.
double Distribution::at_least(std::int64_t total) const {
    if (total <= min) {
        return 1.0;
    }
    double sum = 0.0;
    for (std::int64_t i = std::int64_t(p.size()) - 1; i >= total - min; --i) {
        sum += p[std::size_t(i)];
    }
    return std::min(sum, 1.0);
}

double Distribution::at_most(std::int64_t total) const {
    if (total >= max()) {
        return 1.0;
    }
    double sum = 0.0;
    for (std::int64_t i = 0; i <= total - min; ++i) {
        sum += p[std::size_t(i)];
    }
    return std::min(sum, 1.0);
}

double Distribution::mean() const {
    double sum = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        sum += double(min + std::int64_t(i)) * p[i];
    }
    return sum;
}

std::int64_t Distribution::median() const {
    double below = 0.0;
    std::size_t i = 0;
    while (i + 1 < p.size() && (below += p[i]) < 0.5 - half_tolerance) {
        ++i;
    }
    return min + std::int64_t(i);
}

std::int64_t Distribution::most_likely() const {
    const double highest = *std::max_element(p.begin(), p.end());
    const auto first = std::find_if(p.begin(), p.end(), [highest](double probability) {
        return probability >= highest * (1.0 - tie_tolerance);
    });
    return min + (first - p.begin());
}

// One pass over each: A's tails, summed from each end, then each total of B
// against them. Every sum adds non-negative terms, so that a tiny result keeps
// its digits.
Comparison compare(const Distribution& a, const Distribution& b) {
    const std::int64_t n = std::int64_t(a.p.size());
    std::vector<double> below(std::size_t(n) + 1, 0.0); // below[i] = P(A < a.min + i)
    std::vector<double> above(std::size_t(n) + 1, 0.0); // above[i] = P(A >= a.min + i)
    for (std::int64_t i = 0; i < n; ++i) {
        below[std::size_t(i + 1)] = below[std::size_t(i)] + a.p[std::size_t(i)];
    }
    for (std::int64_t i = n - 1; i >= 0; --i) {
        above[std::size_t(i)] = above[std::size_t(i + 1)] + a.p[std::size_t(i)];
    }
    Comparison result{0.0, 0.0, 0.0};
    for (std::size_t j = 0; j < b.p.size(); ++j) {
        const std::int64_t i = b.min + std::int64_t(j) - a.min; // B's total in A's terms
        result.greater += b.p[j] * above[std::size_t(std::clamp<std::int64_t>(i + 1, 0, n))];
        result.less += b.p[j] * below[std::size_t(std::clamp<std::int64_t>(i, 0, n))];
        if (i >= 0 && i < n) {
            result.equal += b.p[j] * a.p[std::size_t(i)];
        }
    }
    return result;
}

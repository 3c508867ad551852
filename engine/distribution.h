#pragma once

#include <cstdint>
#include <vector>

// The probability of every total of a formula. Each probability keeps its
// significant digits however small it is, down to the smallest normal double
// (about 2.2e-308); totals less likely than that are left out at both ends.
// Reading one off costs a pass over the totals it sums, not more.
struct Distribution {
    std::int64_t min = 0;  // the smallest total listed
    std::vector<double> p; // p[i] = P(total == min + i); never negative; p.front(), p.back() > 0

    std::int64_t max() const { return min + std::int64_t(p.size()) - 1; }
    // Each tail is summed from its far end, so that a tiny one keeps its digits.
    double at_least(std::int64_t total) const; // P(total >= t): 1 below min, 0 above max
    double at_most(std::int64_t total) const;  // P(total <= t): 0 below min, 1 above max
    double mean() const;
    // The lowest total t with P(total <= t) >= 1/2.
    std::int64_t median() const;
    // The lowest of the most likely totals.
    std::int64_t most_likely() const;
};

// The memory that the probabilities of `totals` totals take.
constexpr std::int64_t bytes_of_totals(std::int64_t totals) {
    return totals * std::int64_t{sizeof(double)};
}

// P(A > B), P(A = B), P(A < B) for independent rolls A and B.
struct Comparison {
    double greater, equal, less;
};
Comparison compare(const Distribution& a, const Distribution& b);

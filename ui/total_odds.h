#pragma once

#include "engine/distribution.h"

#include <cstdint>
#include <vector>

// A formula's distribution as the window reads it, over and over: the chance
// of each total, and of at least or at most it, in constant time. Each tail
// is summed once from its far end, so that a tiny one keeps its digits. A
// chance is 1 only where it is certain, 0 only where it is impossible: in
// between, one that rounds to 1 is kept just short of it, and a total the
// distribution leaves out for being rarer than a double holds gets the
// smallest double there is. Built once, off the GUI thread for a large one.
class TotalOdds {
public:
    // The formula's own range, which may reach past the distribution's.
    TotalOdds(Distribution distribution, std::int64_t least_total, std::int64_t greatest_total);

    const Distribution& distribution() const { return distribution_; }
    std::int64_t least_total() const { return least; }
    std::int64_t greatest_total() const { return greatest; }
    // Every total as likely as the likeliest, within what the figures are exact to.
    const std::vector<std::int64_t>& likeliest() const { return likeliest_; }

    double chance(std::int64_t first, std::int64_t last) const; // of a total in [first, last]
    double at_least(std::int64_t total) const;
    double at_most(std::int64_t total) const;

private:
    double rarer_than_listed(std::int64_t first, std::int64_t last) const;

    Distribution distribution_;
    std::int64_t least;
    std::int64_t greatest;
    std::vector<double> from_top;    // from_top[i]: P(total >= min + i)
    std::vector<double> from_bottom; // from_bottom[i]: P(total <= min + i)
    std::vector<std::int64_t> likeliest_;
};

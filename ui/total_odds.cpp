#include "total_odds.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double short_of_one = 1 - std::numeric_limits<double>::epsilon() / 2;
constexpr double rarest = std::numeric_limits<double>::denorm_min();
// Totals this close to the likeliest are as likely: the figures are exact to
// about this much.
constexpr double same_chance = 1e-9;

} // namespace

TotalOdds::TotalOdds(Distribution distribution, std::int64_t least_total,
                     std::int64_t greatest_total)
    : distribution_(std::move(distribution)), least(least_total), greatest(greatest_total),
      from_top(distribution_.p.size()), from_bottom(distribution_.p.size()) {
    const std::vector<double>& p = distribution_.p;
    double sum = 0;
    for (std::size_t i = p.size(); i-- > 0;) {
        from_top[i] = std::min(sum += p[i], short_of_one);
    }
    sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        from_bottom[i] = std::min(sum += p[i], short_of_one);
    }
    const double top = *std::max_element(p.begin(), p.end());
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] >= top * (1 - same_chance)) {
            likeliest_.push_back(distribution_.min + std::int64_t(i));
        }
    }
}

// The chance of totals in [first, last] that the distribution leaves out but
// the formula can give: not nothing, but less than any double.
double TotalOdds::rarer_than_listed(std::int64_t first, std::int64_t last) const {
    const bool below = first < distribution_.min && last >= least;
    const bool above = last > distribution_.max() && first <= greatest;
    return below || above ? rarest : 0;
}

double TotalOdds::chance(std::int64_t first, std::int64_t last) const {
    const Distribution& d = distribution_;
    double sum = 0;
    for (std::int64_t t = std::max(first, d.min); t <= std::min(last, d.max()); ++t) {
        sum += d.p[std::size_t(t - d.min)];
    }
    return sum > 0 ? sum : rarer_than_listed(first, last);
}

double TotalOdds::at_least(std::int64_t total) const {
    const Distribution& d = distribution_;
    if (total <= least) {
        return 1;
    }
    if (total > d.max()) {
        return rarer_than_listed(total, greatest);
    }
    return from_top[std::size_t(std::max(total, d.min) - d.min)];
}

double TotalOdds::at_most(std::int64_t total) const {
    const Distribution& d = distribution_;
    if (total >= greatest) {
        return 1;
    }
    if (total < d.min) {
        return rarer_than_listed(least, total);
    }
    return from_bottom[std::size_t(std::min(total, d.max()) - d.min)];
}

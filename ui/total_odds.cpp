#include "total_odds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double short_of_one = std::nextafter(1.0, 0.0);
constexpr double rarest = std::numeric_limits<double>::denorm_min();

} // namespace

TotalOdds::TotalOdds(std::shared_ptr<const DistributionAnswer> answer)
    : answer(std::move(answer)), from_top(distribution().p.size()),
      from_bottom(distribution().p.size()) {
    const std::vector<double>& p = distribution().p;
    double sum = 0;
    for (std::size_t i = p.size(); i-- > 0;) {
        from_top[i] = std::min(sum += p[i], short_of_one);
    }
    sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        from_bottom[i] = std::min(sum += p[i], short_of_one);
    }
}

// The chance of totals in [first, last] that the distribution leaves out but
// the formula can give: not nothing, but less than any double.
double TotalOdds::rarer_than_listed(std::int64_t first, std::int64_t last) const {
    const Distribution& d = distribution();
    const bool below = first < d.min && last >= least_total();
    const bool above = last > d.max() && first <= greatest_total();
    return below || above ? rarest : 0;
}

double TotalOdds::chance(std::int64_t first, std::int64_t last) const {
    const Distribution& d = distribution();
    double sum = 0;
    for (std::int64_t t = std::max(first, d.min); t <= std::min(last, d.max()); ++t) {
        sum += d.p[std::size_t(t - d.min)];
    }
    return sum > 0 ? sum : rarer_than_listed(first, last);
}

double TotalOdds::at_least(std::int64_t total) const {
    const Distribution& d = distribution();
    if (total <= least_total()) {
        return 1;
    }
    if (total > d.max()) {
        return rarer_than_listed(total, greatest_total());
    }
    return from_top[std::size_t(std::max(total, d.min) - d.min)];
}

double TotalOdds::at_most(std::int64_t total) const {
    const Distribution& d = distribution();
    if (total >= greatest_total()) {
        return 1;
    }
    if (total < d.min) {
        return rarer_than_listed(least_total(), total);
    }
    return from_bottom[std::size_t(std::min(total, d.max()) - d.min)];
}

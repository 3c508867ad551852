#include "keep_best_means.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <cmath>

namespace {

// Boost.Math's binomial distribution. Errors give NaN rather than throw, and
// are caught below; doubles are not promoted to long double, which is several
// times slower and changes nothing a mean shown to two decimals can see.
using namespace boost::math::policies;
using Quiet = policy<domain_error<ignore_error>, overflow_error<ignore_error>,
                     evaluation_error<ignore_error>, promote_double<false>>;
using Binomial = boost::math::binomial_distribution<double, Quiet>;

// Up to here E[min(m, X)] is summed from the probabilities of X below m;
// above, it comes from two binomial tails. Boost's tails sum up to `rolls`
// terms when m is below 40, and cost about 40 steps of the sum otherwise.
constexpr int summed_up_to = 40;

// E[min(m, X)], X binomial of `rolls` trials of probability p: X below m
// counts itself, the rest counts m. The probabilities are worked down from
// P(X = m - 1), given by Boost, by their ratio; below the mode they shrink,
// so nothing is lost when the far ones underflow.
double summed(int m, int rolls, double p) {
    const double q = 1.0 - p;
    double probability = pdf(Binomial(rolls, p), m - 1);
    double below = 0.0;
    double counted = 0.0;
    for (int j = m - 1; j >= 0; --j) {
        below += probability;
        counted += j * probability;
        probability *= j * q / ((rolls - j + 1) * p);
    }
    return counted + m * (1.0 - below);
}

// The same from the tails, since j P(X = j) = rolls p P(Y = j - 1) with Y
// binomial of rolls - 1 trials: E[min(m, X)] = rolls p P(Y <= m - 2) + m P(X >= m).
double from_tails(int m, int rolls, double p) {
    return rolls * p * cdf(Binomial(rolls - 1, p), m - 2) +
           m * cdf(complement(Binomial(rolls, p), m - 1));
}

} // namespace

std::optional<double> KeepBestMeans::mean(std::int16_t keep, std::int16_t faces,
                                          std::int16_t rolls) {
    // A die of 0 faces, like one of 1, always shows 1.
    const int top = std::max<int>(faces, 1);
    if (top == 1) {
        return double(keep);
    }
    // Reflecting every die (v to top + 1 - v) turns the worst d dice into the
    // best d, so the best keep = all - worst (rolls - keep) needs only the
    // shorter of the two sides: the best `keep`, or the best `rolls - keep`.
    const int dropped = rolls - keep;
    const int best = std::min<int>(keep, dropped);
    const double all = rolls * (top + 1) / 2.0;
    if (best == 0) {
        return all;
    }
    const std::optional<double> mean_best = mean_of_best(best, top, rolls);
    if (!mean_best || best == keep) {
        return mean_best;
    }
    // The worst `dropped` have the mean dropped (top + 1) - *mean_best.
    return all - dropped * (top + 1) + *mean_best;
}

// The best m dice hold, for each value v, min(m, X_v) dice showing v or more,
// where X_v, the dice showing v or more, is binomial with p = (top - v + 1) / top.
// So their mean sum is the sum over v of E[min(m, X_v)].
std::optional<double> KeepBestMeans::mean_of_best(int best, int top, int rolls) {
    const auto key = std::make_tuple(best, top, rolls);
    if (const auto found = known_.find(key); found != known_.end()) {
        return found->second;
    }
    const bool by_sum = best <= summed_up_to;
    // Per face: a probability from Boost and `best` steps of the sum, or two tails.
    const std::int64_t work = std::int64_t{top - 1} * (by_sum ? 3 + best / 24 : 10);
    if (budget_left_ < work) {
        return std::nullopt;
    }
    budget_left_ -= work;
    double mean = best; // v = 1: every die shows 1 or more
    for (int v = 2; v <= top; ++v) {
        const double p = double(top - v + 1) / top;
        mean += by_sum ? summed(best, rolls, p) : from_tails(best, rolls, p);
    }
    if (!std::isfinite(mean)) {
        return std::nullopt;
    }
    known_.emplace(key, mean);
    return mean;
}

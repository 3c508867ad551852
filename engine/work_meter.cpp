#include "work_meter.h"

#include <algorithm>

WorkMeter::WorkMeter(DistributionProgress& progress, double estimated_ns,
                     std::chrono::milliseconds time)
    : progress_(progress), estimated_ns_(std::max(estimated_ns, 1.0)),
      deadline_(std::chrono::steady_clock::now() + time) {}

bool WorkMeter::add(double ns) {
    done_ns_ += ns;
    if (done_ns_ < next_check_ns_ || stop_ != Stop::none) {
        return stop_ == Stop::none;
    }
    next_check_ns_ = done_ns_ + check_every_ns;
    progress_.set_fraction_done(std::min(done_ns_ / estimated_ns_, 1.0));
    if (progress_.cancelled()) {
        stop_ = Stop::cancelled;
    } else if (std::chrono::steady_clock::now() > deadline_) {
        stop_ = Stop::out_of_time;
    }
    return stop_ == Stop::none;
}

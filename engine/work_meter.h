#pragma once

#include "distribution_progress.h"

#include <chrono>
#include <cstdint>

// What a part of the work is estimated to take before it starts: its time on
// the machine the figures were measured on, and the most memory it holds at once.
struct WorkCost {
    double ns = 0.0;
    std::int64_t bytes = 0;
};

// Counts the work of one distribution against its estimate, in estimated
// nanoseconds, and says when to stop: once cancelled, or once the work has
// overrun the time it was given (the estimate was too low for this machine).
// The parts of the work call add() at least every millisecond or so.
class WorkMeter {
public:
    enum class Stop { none, cancelled, out_of_time };

    WorkMeter(DistributionProgress& progress, double estimated_ns, std::chrono::milliseconds time);

    // Counts `ns` more of the estimated work done; false once the work must stop.
    bool add(double ns);
    Stop stop() const { return stop_; }

private:
    // The clock and the flag are read every tenth of a millisecond of
    // estimated work, which costs nothing beside that work.
    static constexpr double check_every_ns = 1e5;

    DistributionProgress& progress_;
    double estimated_ns_;
    std::chrono::steady_clock::time_point deadline_;
    double done_ns_ = 0.0;
    double next_check_ns_ = 0.0;
    Stop stop_ = Stop::none;
};

#pragma once

#include <atomic>

// Shared by the thread that works a distribution out and the window that waits
// for it: the window may cancel at any time and reads how far the work is.
class DistributionProgress {
public:
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    double fraction_done() const { return fraction_done_.load(std::memory_order_relaxed); } // 0..1

    // Written by the work as it goes.
    void set_fraction_done(double fraction) {
        fraction_done_.store(fraction, std::memory_order_relaxed);
    }

private:
    std::atomic<bool> cancelled_{false};
    std::atomic<double> fraction_done_{0.0};
    static_assert(std::atomic<double>::is_always_lock_free);
};

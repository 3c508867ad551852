#pragma once

#include <chrono>
#include <map>
#include <string>

// One run of `dicelab -c` on a program, as a peer of the distribution
// benchmark: its whole run is timed, process start included.
struct DicelabRun {
    enum class End { finished, timed_out, failed, not_installed };
    End end = End::not_installed;
    double cpu_seconds = 0.0;      // user and system, of the whole process
    double wall_seconds = 0.0;     // from before the fork to its end
    std::map<long long, double> p; // its printed distribution, when finished
};

// Runs dicelab with `program` on its standard input, for at most `limit` of
// wall-clock time and `memory` bytes of address space, then kills it.
DicelabRun run_dicelab(const std::string& program, std::chrono::seconds limit, std::size_t memory);

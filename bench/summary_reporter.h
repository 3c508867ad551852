#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// A bound a case must keep: its time per die against the floor's, or its time
// per evaluation.
struct Target {
    enum class Measure { die_per_floor, evaluation_ns };
    Measure measure;
    double at_most;
};

// Prints the machine, then one table that puts the time per die of each case
// against the time per value of the floor case (the bare generator), with the
// target of each case that has one and whether it is met.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    SummaryReporter(std::string floor_name, std::map<std::string, Target> targets)
        : floor_name_(std::move(floor_name)), targets_(std::move(targets)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Row {
        std::int64_t order; // the case's place among those registered
        std::string name;
        double ns_per_evaluation;
        double dice;
    };

    std::string floor_name_;
    std::map<std::string, Target> targets_;
    std::vector<Row> rows_;
};

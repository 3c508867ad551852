#pragma once

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

// Prints the machine, then one table that puts the time per die of each case
// against the time per value of the floor case (the bare generator).
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(std::string floor_name) : floor_name_(std::move(floor_name)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Row {
        std::string name;
        double ns_per_evaluation;
        double dice;
    };

    std::string floor_name_;
    std::vector<Row> rows_;
};

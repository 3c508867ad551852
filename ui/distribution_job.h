#pragma once

#include "engine/formula_distribution.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// A formula's distribution, and the formula's own smallest and greatest
// totals: a distribution leaves out an end whose totals are rarer than a
// double can hold (1000d6 below about 1 100), and these say where it goes on.
struct DistributionAnswer : FormulaDistribution {
    std::int64_t least_total = 0; // when exact
    std::int64_t greatest_total = 0;
};

// Works out the distribution of a formula's total on a thread of its own, one
// formula at a time: a new request cancels the one before, whose answer is
// never delivered. Answers and progress come on the thread that owns the job.
// Nothing runs until the first request; destruction cancels and waits.
class DistributionJob final : public QObject {
    Q_OBJECT

public:
    using Result = std::shared_ptr<const DistributionAnswer>;

    explicit DistributionJob(QObject* parent = nullptr);
    ~DistributionJob() override;

    void request(const QString& formula);
    // The answer still comes, with the outcome `cancelled`.
    void cancel();

    // A request not answered yet.
    bool busy() const { return !answered; }
    QString formula() const { return requested; }

signals:
    // Every tenth of a second while busy: the share of the work done, 0 to 1.
    void progressed(double fraction);
    void finished(const QString& formula, const DistributionJob::Result& result);

private:
    struct Task {
        std::uint64_t id;
        QString formula;
        std::shared_ptr<DistributionProgress> progress;
    };

    void work();
    void deliver(std::uint64_t id, const QString& formula, const Result& result);

    std::mutex mutex; // guards `pending` and `stopping`
    std::condition_variable wake;
    std::optional<Task> pending;
    bool stopping = false;
    std::thread worker;

    // The owning thread's side.
    std::uint64_t last_id = 0;
    QString requested;
    bool answered = true;
    std::shared_ptr<DistributionProgress> progress;
    QTimer progress_ticks;
};

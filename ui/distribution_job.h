#pragma once

#include "engine/formula_distribution.h"
#include "total_odds.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// What a request gets. When exact, the distribution is moved out of
// `distribution` into `odds`, read off it in advance, off the GUI thread,
// with the formula's own range: a distribution leaves out an end whose totals
// are rarer than a double holds (1000d6's first hundred or so).
struct DistributionAnswer : FormulaDistribution {
    std::shared_ptr<const TotalOdds> odds;
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
    bool answered = true;
    std::shared_ptr<DistributionProgress> progress;
    QTimer progress_ticks;
};

#include "distribution_job.h"

#include "engine/evaluator.h"

namespace {

constexpr int progress_interval_ms = 100;

} // namespace

DistributionJob::DistributionJob(QObject* parent) : QObject(parent) {
    progress_ticks.setInterval(progress_interval_ms);
    connect(&progress_ticks, &QTimer::timeout, this,
            [this] { emit progressed(progress->fraction_done()); });
}

DistributionJob::~DistributionJob() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
        pending.reset();
    }
    cancel();
    wake.notify_one();
    if (worker.joinable()) {
        worker.join();
    }
}

void DistributionJob::request(const QString& formula) {
    cancel();
    progress = std::make_shared<DistributionProgress>();
    answered = false;
    {
        const std::lock_guard lock(mutex);
        pending = Task{++last_id, formula, progress};
    }
    wake.notify_one();
    if (!worker.joinable()) {
        worker = std::thread(&DistributionJob::work, this);
    }
    progress_ticks.start();
}

void DistributionJob::cancel() {
    if (progress) {
        progress->cancel();
    }
}

void DistributionJob::work() {
    for (;;) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return stopping || pending; });
        if (stopping) {
            return;
        }
        const Task task = std::move(*pending);
        pending.reset();
        lock.unlock();
        DistributionAnswer answer{formula_distribution(task.formula, *task.progress), nullptr};
        if (answer.outcome == FormulaDistribution::Outcome::exact) {
            const FormulaOdds range = formula_odds(task.formula);
            answer.odds = std::make_shared<const TotalOdds>(std::exchange(answer.distribution, {}),
                                                            range.min, range.max);
        }
        auto result = std::make_shared<const DistributionAnswer>(std::move(answer));
        // Queued to the job's own thread; if the job is going, the event goes with it.
        QMetaObject::invokeMethod(
            this,
            [this, id = task.id, formula = task.formula, result = Result(std::move(result))] {
                deliver(id, formula, result);
            },
            Qt::QueuedConnection);
    }
}

void DistributionJob::deliver(std::uint64_t id, const QString& formula, const Result& result) {
    if (id != last_id) {
        return; // a later request replaced it
    }
    answered = true;
    progress_ticks.stop();
    emit finished(formula, result);
}

#include "lucky_line.h"

#include "odds_text.h"
#include "odds_window.h"

LuckyLine::LuckyLine(QObject* parent) : QObject(parent) {
    connect(&job, &DistributionJob::finished, this, &LuckyLine::answered);
}

void LuckyLine::request(const QString& formula, std::int64_t total, Deliver deliver) {
    waiting = Waiting{formula, total, std::move(deliver)};
    if (const DistributionJob::Result known = answer_for(formula)) {
        answered(formula, known);
    } else if (window) {
        job.cancel(); // the window was shown the same roll
    } else {
        job.request(formula);
    }
}

void LuckyLine::cancel() {
    waiting.reset();
    job.cancel();
}

void LuckyLine::share_with(OddsWindow& shared, const QString& shown) {
    window = &shared;
    connect(window, &OddsWindow::answered, this, &LuckyLine::answered);
    if (waiting && waiting->formula == shown) {
        job.cancel();
    }
}

DistributionJob::Result LuckyLine::answer_for(const QString& formula) const {
    return formula == last_formula ? last : nullptr;
}

// A cancelled answer is either replaced by a later one, or the window that
// took over the work was closed: no line either way.
void LuckyLine::answered(const QString& formula, const DistributionJob::Result& result) {
    if (result->outcome == FormulaDistribution::Outcome::cancelled) {
        return;
    }
    last_formula = formula;
    last = result;
    if (!waiting || waiting->formula != formula) {
        return;
    }
    const Waiting roll = std::move(*waiting);
    waiting.reset();
    if (result->odds) {
        roll.deliver(lucky_text(roll.total, *result->odds));
    }
}

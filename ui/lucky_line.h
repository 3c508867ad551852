#pragma once

#include "distribution_job.h"

#include <QPointer>
#include <functional>
#include <optional>

class OddsWindow;

// How lucky a roll was, in a line such as "15 : atteint ou dépassé dans
// 9,26 % des jets", read off the exact distribution of its formula once it is
// worked out, off the GUI thread. While the window "Probabilités" is open, it
// works the distribution out and the line is read off its answer: the same
// distribution is never worked out twice. No line for a formula past the
// budget, nor for a roll that a later one replaced.
class LuckyLine final : public QObject {
    Q_OBJECT

public:
    using Deliver = std::function<void(const QString& line)>;

    explicit LuckyLine(QObject* parent = nullptr);

    // The line of a roll of `total`, handed to `deliver` when it is ready,
    // which may be at once; it replaces the one asked for before.
    void request(const QString& formula, std::int64_t total, Deliver deliver);
    // No line for the roll asked for last.
    void cancel();
    // From now on the window works the distributions out, starting with that
    // of `shown`; it closes without a line for a roll it was still working on.
    void share_with(OddsWindow& window, const QString& shown);
    // The last answer, if it is for this formula.
    DistributionJob::Result answer_for(const QString& formula) const;

private:
    void answered(const QString& formula, const DistributionJob::Result& result);

    struct Waiting {
        QString formula;
        std::int64_t total;
        Deliver deliver;
    };
    std::optional<Waiting> waiting;
    QString last_formula;
    DistributionJob::Result last;
    QPointer<OddsWindow> window;
    DistributionJob job{this}; // goes first: the answer it would still bring has nowhere to go
};

#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class RollHistory;
class StoredFormula;

// Up and Down in a formula box step through the formulas rolled so far, as a
// shell does, the same one rolled several times in a row once; Down past the
// newest gives back what was being typed. The formulas are the history's.
class FormulaRecall final : public QObject {
    Q_OBJECT

public:
    FormulaRecall(QLineEdit& box, const RollHistory& history);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step_back();
    void step_forward();
    // The nearest row from `from` on, going by `step`, whose formula is neither
    // empty nor `unlike`; -1 where there is none.
    int next_row(int from, int step, const StoredFormula& unlike) const;
    StoredFormula shown() const;

    QLineEdit& box;
    const RollHistory& history;
    int row = -1; // the history's row the box shows; -1 while on what is being typed
    QString draft;
};

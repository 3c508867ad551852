#include "formula_recall.h"

#include "roll_history.h"

#include <QKeyEvent>
#include <QLineEdit>

FormulaRecall::FormulaRecall(QLineEdit& box, const RollHistory& history)
    : QObject(&box), box(box), history(history) {
    box.installEventFilter(this);
    // Each roll starts again from what is being typed.
    connect(&history, &RollHistory::rowsInserted, this, [this] {
        row = -1;
        draft.clear();
    });
}

int FormulaRecall::next_row(int from, int step, const StoredFormula& unlike) const {
    for (int at = from; at >= 0 && at < history.rowCount(); at += step) {
        const StoredFormula& formula = history.formula(at);
        if (!formula.empty() && formula != unlike) {
            return at;
        }
    }
    return -1;
}

// The formula of the row the box shows, or what is being typed.
StoredFormula FormulaRecall::shown() const {
    return row == -1 ? StoredFormula(box.text()) : history.formula(row);
}

void FormulaRecall::step_back() {
    // The box keeps the formula it just rolled: the first step goes past it.
    const int older = next_row(row + 1, 1, shown());
    if (older == -1) {
        return;
    }
    if (row == -1) {
        draft = box.text();
    }
    row = older;
    box.setText(history.formula(row).text());
}

void FormulaRecall::step_forward() {
    if (row == -1) {
        return;
    }
    row = next_row(row - 1, -1, shown());
    box.setText(row == -1 ? draft : history.formula(row).text());
}

bool FormulaRecall::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && key->key() == Qt::Key_Up) {
            step_back();
            return true;
        }
        if (plain && key->key() == Qt::Key_Down) {
            step_forward();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

#include "formula_recall.h"

#include "roll_history.h"

#include <QKeyEvent>
#include <QLineEdit>

FormulaRecall::FormulaRecall(QLineEdit& box) : QObject(&box), box(box) {
    box.installEventFilter(this);
}

void FormulaRecall::add(const QString& formula) {
    if (!formula.isEmpty() && (formulas.isEmpty() || formulas.last() != formula)) {
        if (formulas.size() == RollHistory::capacity) {
            formulas.removeFirst();
        }
        formulas << formula;
    }
    position = formulas.size();
    draft.clear();
}

void FormulaRecall::step_back() {
    if (position == 0) {
        return;
    }
    if (position == formulas.size()) {
        draft = box.text();
        // The box keeps the formula it just rolled: the first step goes past it.
        if (formulas.last() == draft && position > 1) {
            --position;
        }
    }
    box.setText(formulas[--position]);
}

void FormulaRecall::step_forward() {
    if (position == formulas.size()) {
        return;
    }
    ++position;
    box.setText(position == formulas.size() ? draft : formulas[position]);
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

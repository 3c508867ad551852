#include "bounded_undo.h"

#include <QLineEdit>

namespace {

// About 1.3 MB of history at Qt's 20 bytes a step.
constexpr qsizetype most_steps = 64 * 1024;

} // namespace

BoundedUndo::BoundedUndo(QLineEdit* box) : QObject(box), box(box), length(box->text().size()) {
    connect(box, &QLineEdit::selectionChanged, this,
            [this] { selected = this->box->selectionLength(); });
    connect(box, &QLineEdit::textChanged, this, &BoundedUndo::count_edit);
}

void BoundedUndo::count_edit(const QString& text) {
    // A selection typed or pasted over is removed a step a character, then the
    // new text inserted; without one, the text grows or shrinks by what changed.
    const qsizetype removed =
        selected > 0 ? selected : std::max<qsizetype>(0, length - text.size());
    const qsizetype inserted = text.size() - (length - removed);
    recorded += removed + inserted + 1;
    length = text.size();
    selected = box->selectionLength();
    if (recorded > most_steps && !forget_pending) {
        // Not while the line edit is still telling of its change.
        forget_pending = true;
        QMetaObject::invokeMethod(this, &BoundedUndo::forget, Qt::QueuedConnection);
    }
}

void BoundedUndo::forget() {
    const int cursor = box->cursorPosition();
    const int start = box->selectionStart();
    const int chosen = box->selectionLength();
    box->setText(box->text()); // setting the text starts a new history
    if (chosen > 0) {
        // The caret stays at whichever end of the selection it was.
        box->setSelection(cursor == start ? start + chosen : start,
                          cursor == start ? -chosen : chosen);
    } else {
        box->setCursorPosition(cursor);
    }
    recorded = 0;
    forget_pending = false;
}

#include "cancellable_press.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <utility>

CancellablePress::CancellablePress(QAbstractButton& button) : QObject(&button), button(button) {
    connect(&button, &QAbstractButton::pressed, this, [this] { cancelled = false; });
    button.installEventFilter(this);
}

bool CancellablePress::cancel() {
    if (!button.isDown()) {
        return false;
    }
    cancelled = true;
    button.setDown(false);
    return true;
}

bool CancellablePress::take_cancelled() {
    return std::exchange(cancelled, false);
}

// The button with the keyboard focus would take Escape for itself.
bool CancellablePress::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && cancel()) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

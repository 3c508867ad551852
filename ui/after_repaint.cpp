#include "after_repaint.h"

#include <QCoreApplication>
#include <QEvent>

void AfterRepaint::post(std::function<void()> work) {
    waiting.push_back(std::move(work));
    QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
}

void AfterRepaint::finish() {
    QCoreApplication::removePostedEvents(this, QEvent::User);
    while (!waiting.empty()) {
        run_next();
    }
}

void AfterRepaint::customEvent(QEvent*) {
    run_next();
}

void AfterRepaint::run_next() {
    const std::function<void()> work = std::move(waiting.front());
    waiting.pop_front();
    work();
}

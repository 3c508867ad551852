#include "icon_after_first_frame.h"

#include "ui/die_icon.h"

#include <QApplication>
#include <QWindow>
#include <malloc.h>

namespace {

void give_icon() {
    QApplication::setWindowIcon(die_icon());
    // Handing the icon to X11 is a one-off burst of large short-lived blocks,
    // a megabyte in all, whose pages the allocator would otherwise keep.
    malloc_trim(0);
}

class FirstFrameWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            // Queued behind the drawing that this expose event asks for.
            QMetaObject::invokeMethod(qApp, &give_icon, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void set_icon_after_first_frame(QWindow& window) {
    window.installEventFilter(new FirstFrameWatch(&window));
}

#include "result_announcer.h"

#include <QAccessibleWidget>
#include <utility>

namespace {

QAccessibleInterface* as_notification(const QString&, QObject* object) {
    auto* announcer = qobject_cast<ResultAnnouncer*>(object);
    return announcer ? new QAccessibleWidget(announcer, QAccessible::Notification) : nullptr;
}

} // namespace

ResultAnnouncer::ResultAnnouncer(QWidget* parent) : QWidget(parent) {
    static const bool role_known = (QAccessible::installFactory(as_notification), true);
    Q_UNUSED(role_known)
    setObjectName(QStringLiteral("announcer"));
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ResultAnnouncer::announce(const QString& text) {
    held = QString();
    hide();
    setAccessibleName(text);
    show();
}

void ResultAnnouncer::hold(const QString& text) {
    held = text;
}

void ResultAnnouncer::announce_held() {
    if (!held.isNull()) {
        announce(std::exchange(held, QString()));
    }
}

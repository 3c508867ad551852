#include "result_announcer.h"

#include <QAccessibleWidget>

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
    hide();
    setAccessibleName(text);
    show();
}

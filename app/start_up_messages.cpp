#include "start_up_messages.h"

#include "display_reachable.h"
#include "ui/start_up_failure_text.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// How Qt 6 begins the fatal message it ends with when no platform plugin starts.
constexpr QStringView no_platform =
    u"This application failed to start because no Qt platform plugin could be initialized.";

struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

QtMessageHandler qt_handler = nullptr;
// Qt's xcb plugin may log from its event thread while the main one starts.
std::mutex held_mutex;
bool holding = false;
QList<HeldMessage> held;

const char* or_null(const QByteArray& bytes) {
    return bytes.isNull() ? nullptr : bytes.constData();
}

void show_held() {
    for (const HeldMessage& message : std::as_const(held)) {
        const QMessageLogContext context(or_null(message.file), message.line,
                                         or_null(message.function), or_null(message.category));
        qt_handler(message.type, context, message.text);
    }
    held.clear();
}

void while_starting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    std::unique_lock lock(held_mutex);
    if (!holding) { // logged as the messages were handed back to Qt
        lock.unlock();
        qt_handler(type, context, text);
        return;
    }
    if (type != QtFatalMsg) {
        held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    const bool platform_failed = text.startsWith(no_platform);
    if (platform_failed && !display_reachable()) {
        std::fputs(missing_display_message(), stderr);
        // The application object is half made: nothing is left to clean up.
        std::_Exit(EXIT_FAILURE);
    }
    show_held();
    qt_handler(type, context, text);
    if (platform_failed) {
        std::fputs(platform_failure_hint(), stderr);
        std::_Exit(EXIT_FAILURE);
    }
    // Qt aborts when this returns.
}

} // namespace

void hold_start_up_messages() {
    // With these set, Qt ends the program at a warning itself, which must show.
    if (qEnvironmentVariableIsSet("QT_FATAL_WARNINGS") ||
        qEnvironmentVariableIsSet("QT_FATAL_CRITICALS")) {
        return;
    }
    holding = true;
    qt_handler = qInstallMessageHandler(while_starting);
}

void release_start_up_messages() {
    const std::lock_guard lock(held_mutex);
    if (!holding) {
        return;
    }
    qInstallMessageHandler(qt_handler);
    show_held();
    holding = false;
}

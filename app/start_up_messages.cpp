#include "start_up_messages.h"

#include "ui/missing_display_message.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

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
    if (type != QtFatalMsg) {
        held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    if (text.startsWith(no_platform)) {
        std::fputs(missing_display_message(), stderr);
        // The application object is half made: nothing is left to clean up.
        std::_Exit(EXIT_FAILURE);
    }
    show_held();
    qt_handler(type, context, text); // Qt aborts when this returns
}

} // namespace

void hold_start_up_messages() {
    // With these set, Qt ends the program at a warning itself, which must show.
    if (qEnvironmentVariableIsSet("QT_FATAL_WARNINGS") ||
        qEnvironmentVariableIsSet("QT_FATAL_CRITICALS")) {
        return;
    }
    qt_handler = qInstallMessageHandler(while_starting);
}

void release_start_up_messages() {
    if (qt_handler == nullptr) {
        return;
    }
    qInstallMessageHandler(qt_handler);
    show_held();
    qt_handler = nullptr;
}

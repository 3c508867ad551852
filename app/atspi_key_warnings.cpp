#include "atspi_key_warnings.h"

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>
#include <cstring>

// A workaround for Qt 6.4, as Debian 12 ships it, whose bridge logs these with
// a bare qWarning(), as later Qt sources still did when this was written.
// Retire it with the first Qt release that logs them under a category of its
// own: a logging rule then silences them.

namespace {

Q_LOGGING_CATEGORY(atspi_key_warnings, "tirlo.atspi.keys", QtCriticalMsg)

QtMessageHandler next_handler = nullptr;

// The two warnings of the bridge's key forwarding: a key answered too late,
// and the late answer that then finds no key waiting.
bool from_key_forwarding(const QString& text) {
    return text.startsWith(u"QSpiApplication::keyEventError") ||
           text.startsWith(u"QSpiApplication::notifyKeyboardListenerCallback");
}

void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool uncategorised = context.category && std::strcmp(context.category, "default") == 0;
    if (type != QtWarningMsg || !uncategorised || !from_key_forwarding(text)) {
        next_handler(type, context, text);
    } else if (atspi_key_warnings().isWarningEnabled()) {
        const QMessageLogContext filed(context.file, context.line, context.function,
                                       atspi_key_warnings().categoryName());
        next_handler(type, filed, text);
    }
}

} // namespace

void file_atspi_key_warnings_apart() {
    if (!qEnvironmentVariableIsSet("QT_FATAL_WARNINGS")) {
        next_handler = qInstallMessageHandler(filter);
    }
}

#include "atspi_warnings.h"

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>
#include <cstring>

// A workaround for Qt 6.4, as Debian 12 ships it, which logs these with a
// bare qWarning(), as later Qt sources still did when this was written.
// Retire it with the first Qt release that logs them under a category of its
// own: a logging rule then silences them.

namespace {

Q_LOGGING_CATEGORY(atspi_key_warnings, "tirlo.atspi.keys", QtCriticalMsg)
Q_LOGGING_CATEGORY(atspi_table_warnings, "tirlo.atspi.table", QtCriticalMsg)

QtMessageHandler next_handler = nullptr;

// The category a warning is filed under, or none. The bridge's key forwarding
// gives two: a key answered too late, and the late answer that then finds no
// key waiting.
const QLoggingCategory* filed_under(const QString& text) {
    if (text.startsWith(u"QSpiApplication::keyEventError") ||
        text.startsWith(u"QSpiApplication::notifyKeyboardListenerCallback")) {
        return &atspi_key_warnings();
    }
    if (text.startsWith(u"WARNING QAccessibleTable::indexOfChild Fix my children")) {
        return &atspi_table_warnings();
    }
    return nullptr;
}

void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool uncategorised = context.category && std::strcmp(context.category, "default") == 0;
    const QLoggingCategory* category =
        type == QtWarningMsg && uncategorised ? filed_under(text) : nullptr;
    if (!category) {
        next_handler(type, context, text);
    } else if (category->isWarningEnabled()) {
        const QMessageLogContext filed(context.file, context.line, context.function,
                                       category->categoryName());
        next_handler(type, filed, text);
    }
}

} // namespace

void file_atspi_warnings_apart() {
    if (!qEnvironmentVariableIsSet("QT_FATAL_WARNINGS")) {
        next_handler = qInstallMessageHandler(filter);
    }
}

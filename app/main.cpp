#include "icon_after_first_frame.h"
#include "start_up_messages.h"
#include "ui/french_translation.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLoggingCategory>

int main(int argc, char* argv[]) {
    // Qt 6.4's AT-SPI bridge logs a warning, in Qt's uncategorised "default"
    // category, for each key that a busy screen reader answers late: tens of
    // thousands while a long formula is typed. QT_LOGGING_RULES still overrides
    // this; Qt's critical and fatal messages are left alone.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));

    hold_start_up_messages();
    QApplication app(argc, argv);
    release_start_up_messages();
    QApplication::setApplicationName(QStringLiteral("Tirlo"));
    QApplication::setDesktopFileName(QStringLiteral(TIRLO_APP_ID));
    install_french(app);

    tirlo window;
    window.show();
    set_icon_after_first_frame(*window.windowHandle());
    return QApplication::exec();
}

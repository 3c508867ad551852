#include "atspi_warnings.h"
#include "icon_after_first_frame.h"
#include "start_up_messages.h"
#include "ui/french_translation.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    file_atspi_warnings_apart();
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

#include "ui/die_icon.h"
#include "ui/french_translation.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tirlo"));
    QApplication::setDesktopFileName(QStringLiteral(TIRLO_APP_ID));
    QApplication::setWindowIcon(die_icon());
    install_french(app);

    tirlo window;
    window.show();
    return QApplication::exec();
}

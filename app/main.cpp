#include "ui/die_icon.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tirlo"));
    QApplication::setWindowIcon(die_icon());

    tirlo window;
    window.show();
    return QApplication::exec();
}

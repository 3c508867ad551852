// The yardstick of Tirlo's start-up: the least a Qt Widgets program with a
// text box does before its window is on screen.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLineEdit box;
    box.show();
    return QApplication::exec();
}

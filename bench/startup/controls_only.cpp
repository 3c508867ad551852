// Tirlo's window with nothing behind it: its four controls, their texts and
// their places, and no engine, icon, translation, fade or accessibility. It
// shows what the window itself costs against the bare program, which draws
// no text, and so how much of Tirlo's start-up is the program's own.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(153, 57);
    (new QLineEdit(QStringLiteral("entrez votre jet ici..."), &window))->setGeometry(4, 4, 146, 25);
    (new QPushButton(QStringLiteral("&Ok"), &window))->setGeometry(4, 31, 39, 25);
    (new QLineEdit(QStringLiteral("résultat"), &window))->setGeometry(44, 30, 65, 26);
    (new QPushButton(QStringLiteral("&?"), &window))->setGeometry(111, 31, 39, 25);
    window.show();
    return QApplication::exec();
}

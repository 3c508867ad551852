#include "ui/french_translation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

class TestFrenchTranslation : public QObject {
    Q_OBJECT

private slots:
    void context_menu_is_french();
};

void TestFrenchTranslation::context_menu_is_french() {
    install_french_translation(*qApp);
    QLineEdit box("2d6");
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text().remove('&');
    }
    const QString joined = texts.join('|');
    for (const char* french : {"Annuler", "Copier", "Coller", "Tout sélectionner"}) {
        QVERIFY2(joined.contains(QString::fromUtf8(french)), qPrintable(joined));
    }
}

QTEST_MAIN(TestFrenchTranslation)
#include "test_french_translation.moc"

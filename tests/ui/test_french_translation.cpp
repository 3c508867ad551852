#include "ui/french_translation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

class TestFrenchTranslation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void context_menu_is_french();
    void locale_is_french_in_an_english_session();
};

void TestFrenchTranslation::initTestCase() {
    install_french(*qApp);
}

void TestFrenchTranslation::context_menu_is_french() {
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

void TestFrenchTranslation::locale_is_french_in_an_english_session() {
    QCOMPARE(QLocale::system().name(), "en_US"); // the test runs with LANG=en_US.UTF-8
    QCOMPARE(QLocale().name(), "fr_FR");
    QCOMPARE(QLocale().toString(1234.5), "1\u202f234,5");
}

QTEST_MAIN(TestFrenchTranslation)
#include "test_french_translation.moc"

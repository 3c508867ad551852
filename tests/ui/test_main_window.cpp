#include "ui/main_window.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

// The main window, shown and active, with its controls found by name.
struct Shown {
    tirlo window;
    QLineEdit* txt_entree = window.findChild<QLineEdit*>("txt_entree");
    QLineEdit* txt_result = window.findChild<QLineEdit*>("txt_result");
    QPushButton* but_ok = window.findChild<QPushButton*>("but_ok");
    QPushButton* but_help = window.findChild<QPushButton*>("but_help");
    QTimer* tempo = window.findChild<QTimer*>("tempo");

    Shown() {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            qFatal("the main window never became active");
        }
    }

    void tick() { QMetaObject::invokeMethod(&window, "tempo_Timer"); }

    void finish_fade() {
        while (tempo->isActive()) {
            tick();
        }
    }

    QColor background() { return window.grab().toImage().pixelColor(1, 1); }

    void click_into_input() { QTest::mouseClick(txt_entree, Qt::LeftButton); }

    void enter_formula(const QString& formula) {
        txt_entree->setText(formula);
        QTest::keyClick(txt_entree, Qt::Key_Return);
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void starts_with_prompt_focus_on_ok_and_a_fade();
    void tab_order_and_accessible_names();
    void first_mouse_click_clears_once_but_tab_clears_nothing();
    void ok_is_pressed_by_data();
    void ok_is_pressed_by();
    void enter_on_the_help_button_does_not_roll();
    void prompt_evaluated_right_after_start();
    void error_keeps_the_text_and_starts_no_fade();
    void fade_shows_26_greys_then_stops();
    void fade_restarts_from_white();
    void controls_keep_their_colours();
    void focus_returns_to_ok_at_each_tick_and_on_exposure();
    void typing_slowly_loses_no_character();
};

void TestMainWindow::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::newRow("txt_entree") << "txt_entree" << QRect(4, 4, 146, 25)
                                << "entrez votre jet ici...";
    QTest::newRow("but_ok") << "but_ok" << QRect(4, 31, 39, 25) << "&Ok";
    QTest::newRow("txt_result") << "txt_result" << QRect(44, 30, 65, 26) << "résultat";
    QTest::newRow("but_help") << "but_help" << QRect(111, 31, 39, 25) << "&?";
}

void TestMainWindow::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);

    Shown s;
    QCOMPARE(s.window.windowTitle(), "Tirlo");
    QCOMPARE(s.window.size(), QSize(153, 57));
    QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
    QVERIFY(
        !(s.window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    const QList<QSize> icon_sizes = s.window.windowIcon().availableSizes();
    QVERIFY(icon_sizes.contains(QSize(16, 16)) && icon_sizes.contains(QSize(256, 256)));

    auto* control = s.window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rect);
    QCOMPARE(control->property("text").toString(), text);
}

void TestMainWindow::starts_with_prompt_focus_on_ok_and_a_fade() {
    Shown s;
    QVERIFY(!s.txt_result->font().bold());
    QCOMPARE(QApplication::focusWidget(), s.but_ok);
    QVERIFY(s.but_ok->isDefault());
    QCOMPARE(s.tempo->interval(), 15);
    s.finish_fade();
    QCOMPARE(s.background(), QColor(5, 5, 5));
}

void TestMainWindow::tab_order_and_accessible_names() {
    Shown s;
    const QList<QWidget*> order{s.txt_entree, s.txt_result, s.but_ok, s.but_help};
    s.txt_entree->setFocus();
    for (qsizetype i = 0; i < order.size(); ++i) {
        QCOMPARE(QApplication::focusWidget(), order[i]);
        QVERIFY(!order[i]->accessibleName().isEmpty());
        QTest::keyClick(order[i], Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), s.txt_entree);

    s.enter_formula("3+5");
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(s.txt_result);
    QVERIFY(result);
    QCOMPARE(result->text(QAccessible::Name), "Résultat");
    QCOMPARE(result->text(QAccessible::Value), " 8");
}

void TestMainWindow::first_mouse_click_clears_once_but_tab_clears_nothing() {
    Shown s;
    QTest::keyClick(s.but_ok, Qt::Key_Tab);
    QTest::keyClick(s.but_help, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), s.txt_entree);
    QCOMPARE(s.txt_entree->text(), "entrez votre jet ici...");
    QCOMPARE(s.txt_result->text(), "résultat");

    s.click_into_input();
    QCOMPARE(s.txt_entree->text(), "");
    QCOMPARE(s.txt_result->text(), "");
    QVERIFY(s.txt_result->font().bold());

    QTest::keyClicks(s.txt_entree, "2d6");
    s.click_into_input();
    QCOMPARE(s.txt_entree->text(), "2d6");
}

void TestMainWindow::ok_is_pressed_by_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Enter in the input box") << "enter-input";
    QTest::newRow("Enter in the result box") << "enter-result";
    QTest::newRow("Enter on OK") << "enter-ok";
    QTest::newRow("Alt+O") << "alt-o";
    QTest::newRow("mouse") << "mouse";
}

void TestMainWindow::ok_is_pressed_by() {
    QFETCH(QString, way);

    Shown s;
    s.finish_fade();
    s.txt_entree->setText("3+5");
    if (way == "enter-input") {
        QTest::keyClick(s.txt_entree, Qt::Key_Return);
    } else if (way == "enter-result") {
        QTest::keyClick(s.txt_result, Qt::Key_Enter);
    } else if (way == "enter-ok") {
        QTest::keyClick(s.but_ok, Qt::Key_Return);
    } else if (way == "alt-o") {
        QTest::keyClick(&s.window, Qt::Key_O, Qt::AltModifier);
    } else {
        QTest::mouseClick(s.but_ok, Qt::LeftButton);
    }
    QTRY_COMPARE(s.txt_result->text(), " 8"); // an access key presses its button a moment later
    QCOMPARE(s.txt_entree->text(), "3+5");
    QVERIFY(s.tempo->isActive());
}

void TestMainWindow::enter_on_the_help_button_does_not_roll() {
    Shown s;
    s.txt_entree->setText("3+5");
    QTest::keyClick(s.but_help, Qt::Key_Return);
    QCOMPARE(s.txt_result->text(), "résultat");
}

void TestMainWindow::prompt_evaluated_right_after_start() {
    Shown s;
    QTest::keyClick(s.but_ok, Qt::Key_Return);
    QCOMPARE(s.txt_result->text(), "??? : .");
    QVERIFY(!s.txt_result->font().bold());

    s.click_into_input();
    QCOMPARE(s.txt_entree->text(), "");
    QVERIFY(s.txt_result->font().bold());
}

void TestMainWindow::error_keeps_the_text_and_starts_no_fade() {
    Shown s;
    s.enter_formula("3+5");
    s.finish_fade();

    s.enter_formula("5/2");
    QCOMPARE(s.txt_result->text(), " 8");
    QVERIFY(!s.tempo->isActive());

    s.enter_formula("2x6");
    QCOMPARE(s.txt_result->text(), "??? : x");
    QVERIFY(!s.tempo->isActive());
    QCOMPARE(s.background(), QColor(5, 5, 5));

    s.enter_formula("2d6");
    const int total = s.txt_result->text().toInt();
    QVERIFY(s.txt_result->text().startsWith(' ') && total >= 2 && total <= 12);
    QVERIFY(s.tempo->isActive());
}

void TestMainWindow::fade_shows_26_greys_then_stops() {
    Shown s;
    s.enter_formula("1");
    const QColor face_before = s.background();
    QList<int> greys;
    while (s.tempo->isActive()) {
        s.tick();
        greys << s.background().red();
        QCOMPARE(s.background(), QColor(greys.last(), greys.last(), greys.last()));
    }
    QList<int> expected;
    for (int level = 255; level >= 5; level -= 10) {
        expected << level;
    }
    QCOMPARE(greys, expected);
    QVERIFY(face_before.isValid());
}

void TestMainWindow::fade_restarts_from_white() {
    Shown s;
    s.finish_fade();
    s.enter_formula("1");
    for (int i = 0; i < 10; ++i) {
        s.tick();
    }
    QCOMPARE(s.background(), QColor(165, 165, 165));

    s.enter_formula("1");
    s.tick();
    QCOMPARE(s.background(), QColor(Qt::white));
    int ticks = 1;
    while (s.tempo->isActive()) {
        s.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 26);
    QCOMPARE(s.background(), QColor(5, 5, 5));
}

void TestMainWindow::controls_keep_their_colours() {
    Shown s;
    s.enter_formula("1");
    s.tick();
    const QImage white = s.window.grab().toImage();
    s.finish_fade();
    const QImage dark = s.window.grab().toImage();
    QVERIFY(white.pixelColor(1, 1) != dark.pixelColor(1, 1));

    for (QWidget* control :
         {static_cast<QWidget*>(s.txt_entree), static_cast<QWidget*>(s.txt_result),
          static_cast<QWidget*>(s.but_ok), static_cast<QWidget*>(s.but_help)}) {
        const QRect inside = control->geometry().adjusted(3, 3, -3, -3);
        QCOMPARE(white.copy(inside), dark.copy(inside));
        QCOMPARE(control->palette(), QApplication::palette(control));
    }
}

void TestMainWindow::focus_returns_to_ok_at_each_tick_and_on_exposure() {
    Shown s;
    s.finish_fade();
    s.click_into_input();
    s.enter_formula("2d6");
    QCOMPARE(QApplication::focusWidget(), s.txt_entree);
    s.tick();
    QCOMPARE(QApplication::focusWidget(), s.but_ok);

    s.finish_fade();
    s.txt_entree->setFocus();
    s.window.hide();
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QCOMPARE(s.window.focusWidget(), s.but_ok);

    s.txt_entree->setFocus();
    QExposeEvent uncovered(QRegion(0, 0, 20, 20));
    QCoreApplication::sendEvent(s.window.windowHandle(), &uncovered);
    QCOMPARE(s.window.focusWidget(), s.but_ok);
}

void TestMainWindow::typing_slowly_loses_no_character() {
    Shown s;
    s.finish_fade();
    s.click_into_input();
    const QString formula = "3d6/4+2d8+1";
    for (const QChar c : formula) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::qWait(250); // long enough for the caret to blink between keys
    }
    QCOMPARE(QApplication::focusWidget(), s.txt_entree);
    QCOMPARE(s.txt_entree->text(), formula);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

#include "ui/die_icon.h"
#include "ui/distribution_job.h"
#include "ui/edge_contrast_style.h"
#include "ui/history_action.h"
#include "ui/main_window.h"
#include "ui/roll_history.h"
#include "ui/text_box.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <cmath>

namespace {

// Gives the application back its font and palette as it goes.
struct RestoresLook {
    QFont font = QApplication::font();
    QPalette palette = QApplication::palette();
    ~RestoresLook() {
        QApplication::setFont(font);
        QApplication::setPalette(palette);
    }
};

// The colours of a dark scheme such as Breeze Dark.
QPalette dark_palette() {
    QPalette dark(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(0xfc, 0xfc, 0xfc));
    }
    dark.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    return dark;
}

// The WCAG contrast ratio of the best-standing pixel of `area` against `against`.
double best_contrast(const QImage& image, const QRect& area, const QColor& against) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double background = luminance(against);
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const double pixel = luminance(image.pixelColor(x, y));
            best = std::max(best, (std::max(pixel, background) + 0.05) /
                                      (std::min(pixel, background) + 0.05));
        }
    }
    return best;
}

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

    // The words of the rolls, then how lucky the last total was, if it is worked out.
    void finish_words() {
        QCoreApplication::processEvents();
        auto* lucky = window.findChild<DistributionJob*>();
        if (!QTest::qWaitFor([lucky] { return !lucky->busy(); })) {
            qFatal("the lucky line was never worked out");
        }
    }
};

QString lucky(const QString& total, const QString& chance) {
    return total + " : atteint ou dépassé dans " + chance + "\u202f% des jets";
}

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
    void fade_repaints_no_text_and_shows_what_a_full_repaint_would();
    void larger_font_grows_every_size_data();
    void larger_font_grows_every_size();
    void dark_scheme_edges_and_text_stand_out();
    void light_scheme_is_drawn_as_the_style_draws_it();
    void detail_is_the_tooltip_and_description_and_errors_are_spoken_data();
    void detail_is_the_tooltip_and_description_and_errors_are_spoken();
    void words_follow_the_total_each_roll_its_own_data();
    void words_follow_the_total_each_roll_its_own();
    void lucky_line_only_for_a_total_within_the_budget_data();
    void lucky_line_only_for_a_total_within_the_budget();
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
    // The program gives its windows the die once the first frame is drawn.
    const QIcon icon = die_icon();
    const QList<QSize> icon_sizes = icon.availableSizes();
    QVERIFY(icon_sizes.contains(QSize(16, 16)) && icon_sizes.contains(QSize(256, 256)));
    QCOMPARE(icon.pixmap(QSize(256, 256)).size(), QSize(256, 256));
    QCOMPARE(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));

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
    QVERIFY(s.but_ok->accessibleName().startsWith("Ok")); // the name holds the visible label
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

// A line edit lays out its whole text at each repaint: 32 KiB of it would
// cost milliseconds at every step, for a text that did not change.
void TestMainWindow::fade_repaints_no_text_and_shows_what_a_full_repaint_would() {
    Shown s;
    s.finish_fade();
    s.enter_formula(QString("1+").repeated(16 * 1024));
    QCoreApplication::sendPostedEvents(&s.window, QEvent::UpdateRequest); // the new texts drawn
    struct TextPaints : QObject {
        int count = 0;
        bool eventFilter(QObject* box, QEvent* event) override {
            if (event->type() == QEvent::Paint &&
                static_cast<QPaintEvent*>(event)->region().intersects(
                    static_cast<TextBox*>(box)->text_area())) {
                ++count;
            }
            return false;
        }
    } paints;
    for (QLineEdit* box : {s.txt_entree, s.txt_result}) {
        box->installEventFilter(&paints);
    }
    while (s.tempo->isActive()) {
        s.tick();
        QCoreApplication::sendPostedEvents(&s.window, QEvent::UpdateRequest); // repaint, no tick
        QCOMPARE(paints.count, 0);
        const QImage shown = s.window.screen()->grabWindow(s.window.winId()).toImage();
        const QImage repainted = s.window.grab().toImage(); // every widget painted anew
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 repainted.convertToFormat(QImage::Format_RGB32));
        paints.count = 0;
    }
}

void TestMainWindow::larger_font_grows_every_size_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<double>("scale");
    QTest::newRow("9 pt, as drawn") << 9.0 << 1.0;
    QTest::newRow("7 pt shrinks nothing") << 7.0 << 1.0;
    QTest::newRow("14 pt") << 14.0 << 14.0 / 9.0;
    QTest::newRow("20 pt") << 20.0 << 20.0 / 9.0;
}

void TestMainWindow::larger_font_grows_every_size() {
    QFETCH(double, points);
    QFETCH(double, scale);

    Shown s;
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    const RestoresLook restore;
    QApplication::setFont(font); // as when the desktop's font changes under a running window
    QTRY_COMPARE(s.window.size(),
                 QSize(int(std::lround(153 * scale)), int(std::lround(57 * scale))));
    QCOMPARE(s.txt_result->geometry().right() + 1, int(std::lround(109 * scale)));

    s.click_into_input(); // the result turns bold
    s.enter_formula(QString("1000+").repeated(999));
    QCOMPARE(s.txt_result->text(), " 999000");
    const QRect box = s.txt_result->rect();
    QCOMPARE(s.txt_result->cursorPositionAt(QPoint(box.right() - 3, box.center().y())), 7);
}

void TestMainWindow::dark_scheme_edges_and_text_stand_out() {
    const RestoresLook restore;
    QApplication::setPalette(dark_palette());
    Shown s;
    s.click_into_input();
    s.enter_formula("3+5");
    const QList<QWidget*> controls{s.txt_entree, s.txt_result, s.but_ok, s.but_help};
    while (s.tempo->isActive()) {
        s.tick();
        const QImage image = s.window.grab().toImage();
        const QColor grey = image.pixelColor(0, 0);
        for (QWidget* control : controls) {
            const QRect r = control->geometry();
            const QPoint middle = r.center();
            // Each side's two outermost lines, away from the corners.
            for (const QRect& side :
                 {QRect(r.left(), middle.y(), 2, 1), QRect(r.right() - 1, middle.y(), 2, 1),
                  QRect(middle.x(), r.top(), 1, 2), QRect(middle.x(), r.bottom() - 1, 1, 2)}) {
                QVERIFY2(
                    best_contrast(image, side, grey) >= 3,
                    qPrintable(control->objectName() + " on grey " + QString::number(grey.red())));
            }
            const QColor fill = image.pixelColor(r.right() - 4, r.top() + 4);
            QVERIFY2(best_contrast(image, r.adjusted(4, 4, -4, -4), fill) >= 4.5,
                     qPrintable(control->objectName()));
        }
    }
}

void TestMainWindow::light_scheme_is_drawn_as_the_style_draws_it() {
    EdgeContrastStyle edges;
    QLineEdit box("3d6");
    QPushButton button("&Ok");
    for (QWidget* control : {static_cast<QWidget*>(&box), static_cast<QWidget*>(&button)}) {
        control->resize(60, 25);
        const QImage as_styled = control->grab().toImage();
        control->setStyle(&edges);
        QCOMPARE(control->grab().toImage(), as_styled);
    }
}

void TestMainWindow::detail_is_the_tooltip_and_description_and_errors_are_spoken_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("spoken");
    const QString of_3_plus_5 = "3\n5\nmin 8, max 8, moyenne 8,00\n" + lucky("8", "100");
    QTest::newRow("total") << "3+5"
                           << " 8" << of_3_plus_5 << " 8";
    QTest::newRow("letter") << "2x6"
                            << "??? : x"
                            << "caractère « x » non permis"
                            << "??? : x, caractère « x » non permis";
    // The box, its tooltip and its description keep the total before; speech says why.
    QTest::newRow("misplaced slash")
        << "5/2"
        << " 8" << of_3_plus_5 << "« / » hors d'un jet de dés : résultat inchangé";
}

void TestMainWindow::detail_is_the_tooltip_and_description_and_errors_are_spoken() {
    QFETCH(QString, formula);
    QFETCH(QString, shown);
    QFETCH(QString, detail);
    QFETCH(QString, spoken);

    Shown s;
    s.enter_formula("3+5");
    s.finish_fade();
    s.enter_formula(formula);
    s.finish_fade();
    s.finish_words();
    QCOMPARE(s.txt_result->text(), shown);
    QCOMPARE(s.txt_result->toolTip(), detail);
    QCOMPARE(QAccessible::queryAccessibleInterface(s.txt_result)->text(QAccessible::Description),
             detail);
    QCOMPARE(s.window.findChild<QWidget*>("announcer")->accessibleName(), spoken);

    s.click_into_input(); // empties the box, and with it its detail
    QCOMPARE(s.txt_result->toolTip(), "");
}

void TestMainWindow::words_follow_the_total_each_roll_its_own_data() {
    QTest::addColumn<QStringList>("steps");   // one after the other, no event in between
    QTest::addColumn<QStringList>("entries"); // listed by the history, oldest first, after the time
    QTest::addColumn<int>("described");       // the entry the result box's words are of, or -1
    QTest::addColumn<int>("listed_at_once");  // entries listed before the window's events run
    QTest::addColumn<QString>("formula_box");

    // A later roll replaces the lucky line of the one before, unless it leaves the box unchanged.
    const QString of_3_plus_5 = "3+5 → 8\n3\n5\nmin 8, max 8, moyenne 8,00";
    const QString of_2d1 = "2d1 → 2\n2d1 : 1, 1 = 2\nmin 2, max 2, moyenne 2,00";
    const QString lucky_3_plus_5 = of_3_plus_5 + "\n" + lucky("8", "100");
    const QString lucky_2d1 = of_2d1 + "\n" + lucky("2", "100");
    QTest::newRow("two totals") << QStringList{"3+5", "2d1"} << QStringList{of_3_plus_5, lucky_2d1}
                                << 1 << 0 << "2d1";
    QTest::newRow("a total, then an error")
        << QStringList{"2d1", "2x6"}
        << QStringList{of_2d1, "2x6 → ??? : x\ncaractère « x » non permis"} << 1 << 0 << "2x6";
    QTest::newRow("a total, then a box left unchanged")
        << QStringList{"2d1", "5/2"}
        << QStringList{lucky_2d1, "5/2 → résultat inchangé\n« / » hors d'un jet de dés"} << 0 << 0
        << "5/2";
    QTest::newRow("rolled again from the history window")
        << QStringList{"history:3+5", "history:2d1"} << QStringList{of_3_plus_5, lucky_2d1} << 1
        << 0 << "2d1";
    QTest::newRow("the first click into the box empties it and its words")
        << QStringList{"3+5", "click"} << QStringList{lucky_3_plus_5} << -1 << 0 << "";
    QTest::newRow("Up sees every roll")
        << QStringList{"3+5", "2d1", "3+5", "up"}
        << QStringList{of_3_plus_5, of_2d1, lucky_3_plus_5} << 2 << 3 << "2d1";
}

void TestMainWindow::words_follow_the_total_each_roll_its_own() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, entries);
    QFETCH(int, described);
    QFETCH(int, listed_at_once);
    QFETCH(QString, formula_box);

    Shown s;
    s.finish_fade();
    QCoreApplication::processEvents();
    struct Order : QObject {
        QStringList seen;
        bool eventFilter(QObject* box, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                seen << "paint";
            } else if (event->type() == QEvent::ToolTipChange &&
                       !static_cast<QWidget*>(box)->toolTip().isEmpty()) {
                seen << "words";
            }
            return false;
        }
    } order;
    s.txt_result->installEventFilter(&order);
    auto* history = s.window.findChild<RollHistory*>();
    for (const QString& step : steps) {
        if (step == "click") {
            s.click_into_input();
        } else if (step == "up") {
            QTest::keyClick(s.txt_entree, Qt::Key_Up);
        } else if (step.startsWith("history:")) {
            s.window.findChild<HistoryAction*>()->trigger();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* listed = qobject_cast<HistoryWindow*>(window)) {
                    emit listed->roll_again(step.section(':', 1));
                }
            }
        } else {
            s.enter_formula(step);
        }
    }
    QCOMPARE(s.txt_entree->text(), formula_box);
    QCOMPARE(history->rowCount(), listed_at_once);
    QCOMPARE(s.txt_result->toolTip().isEmpty(), listed_at_once == 0);

    s.finish_words();
    QStringList listed;
    for (int row = history->rowCount() - 1; row >= 0; --row) {
        listed << history->index(row).data().toString().section("  ", 1); // after the time
    }
    QCOMPARE(listed, entries);
    const QString words = described == -1 ? "" : entries[described].section('\n', 1);
    QCOMPARE(s.txt_result->toolTip(), words);
    QCOMPARE(s.txt_result->accessibleDescription(), words);
    // Unless Up needed them at once, the words came after the result box was drawn.
    const qsizetype words_at = order.seen.indexOf("words");
    QVERIFY(listed_at_once > 0 || words_at == -1 || order.seen.first(words_at).contains("paint"));
}

void TestMainWindow::lucky_line_only_for_a_total_within_the_budget_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("line"); // the last line of the roll's words, if lucky
    QTest::newRow("a total") << "2d1" << lucky("2", "100");
    QTest::newRow("an error") << "2x6"
                              << "";
    QTest::newRow("past the budget") << "500d1000/1000"
                                     << "";
}

void TestMainWindow::lucky_line_only_for_a_total_within_the_budget() {
    QFETCH(QString, formula);
    QFETCH(QString, line);
    Shown s;
    s.enter_formula(formula);
    s.finish_words();
    const QString words = s.window.findChild<RollHistory*>()->index(0).data().toString();
    QCOMPARE(words.contains(" des jets"), !line.isEmpty());
    QVERIFY(words.endsWith(line) && s.txt_result->accessibleDescription().endsWith(line));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

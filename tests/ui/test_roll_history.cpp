#include "ui/formula_recall.h"
#include "ui/history_window.h"
#include "ui/roll_history.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

namespace {

RollRecord record(const QString& formula) {
    return {QTime(21, 5, 9), formula, "8", "min 8, max 8, moyenne 8,00"};
}

QString text_of(const RollHistory& history, int row) {
    return history.index(row).data().toString();
}

} // namespace

class TestRollHistory : public QObject {
    Q_OBJECT

private slots:
    void lists_newest_first_and_keeps_the_last_1000();
    void window_copies_and_rolls_again();
    void up_and_down_recall_formulas_as_a_shell_does();
};

void TestRollHistory::lists_newest_first_and_keeps_the_last_1000() {
    RollHistory history;
    const QString long_formula = QString("1+").repeated(16 * 1024);
    history.add(record("1")); // dropped first
    history.add(record(long_formula));
    for (int i = 3; i <= 1000; ++i) {
        history.add(record("d6"));
    }
    QCOMPARE(history.dropped_note(), "");
    history.add(record("2d6"));
    QCOMPARE(history.rowCount(), 1000);
    QCOMPARE(text_of(history, 0), "21:05:09  2d6 → 8\nmin 8, max 8, moyenne 8,00");
    QCOMPARE(text_of(history, 999).section('\n', 0, 0),
             "21:05:09  " + long_formula.left(80) + "… (32\u202f768 caractères) → 8");
    QCOMPARE(history.index(999).data(RollHistory::formula_role).toString(), long_formula);
    QCOMPARE(history.dropped_note(), "Le jet le plus ancien n'est plus listé : l'historique "
                                     "garde les 1\u202f000 derniers jets.");
    history.add(record("2d6"));
    QVERIFY(history.dropped_note().startsWith("Les 2 jets les plus anciens ne sont plus listés"));
}

void TestRollHistory::window_copies_and_rolls_again() {
    RollHistory history;
    for (const char* formula : {"d6", "2d8+5", "3d6/4"}) {
        history.add(record(formula));
    }
    HistoryWindow window(history);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* list = window.findChild<QListView*>("history_list");

    // Ctrl+click adds to the selection; the copy keeps the list's order.
    list->setCurrentIndex(history.index(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(history.index(0)).center());
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             text_of(history, 0) + "\n\n" + text_of(history, 2));

    QSignalSpy rolled(&window, &HistoryWindow::roll_again);
    list->setCurrentIndex(history.index(1));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(rolled, QList<QVariantList>{{"2d8+5"}});

    auto* note = window.findChild<QLabel*>("dropped_note");
    QVERIFY(note->isHidden());
    for (int i = 0; i < 998; ++i) {
        history.add(record("1"));
    }
    QVERIFY(note->isVisible());
    QCOMPARE(list->accessibleDescription(), history.dropped_note());
}

void TestRollHistory::up_and_down_recall_formulas_as_a_shell_does() {
    QLineEdit box;
    FormulaRecall recall(box);
    for (const char* formula : {"2d6", "2d6", "3d6/4", "", "1"}) {
        recall.add(formula);
    }
    box.setText("2d");
    const QList<std::pair<Qt::Key, QString>> steps{
        {Qt::Key_Up, "1"},       {Qt::Key_Up, "3d6/4"}, {Qt::Key_Up, "2d6"},  {Qt::Key_Up, "2d6"},
        {Qt::Key_Down, "3d6/4"}, {Qt::Key_Down, "1"},   {Qt::Key_Down, "2d"}, {Qt::Key_Down, "2d"},
    };
    for (const auto& [key, text] : steps) {
        QTest::keyClick(&box, key);
        QCOMPARE(box.text(), text);
    }
}

QTEST_MAIN(TestRollHistory)
#include "test_roll_history.moc"

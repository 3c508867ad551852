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
    void keeps_each_formula_once_within_8_mb_data();
    void keeps_each_formula_once_within_8_mb();
    void adds_a_line_to_an_entry_while_it_is_kept_data();
    void adds_a_line_to_an_entry_while_it_is_kept();
    void window_copies_and_rolls_again();
    void window_outlives_its_history();
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

void TestRollHistory::keeps_each_formula_once_within_8_mb_data() {
    QTest::addColumn<QString>("formula"); // 32 Ki characters, then a number a roll
    QTest::addColumn<bool>("same");
    QTest::addColumn<int>("bytes_a_character");

    const QString ascii = QString("1000d+").repeated(5462).left(32 * 1024);
    QTest::newRow("the same ASCII formula") << ascii << true << 1;
    QTest::newRow("a different ASCII formula each time") << ascii << false << 1;
    // A lone surrogate, which only UTF-16 gives back as it was.
    const QString wide = QString(QChar(0xd800)) + ascii.left(32 * 1024 - 1);
    QTest::newRow("a different non-Latin-1 formula each time") << wide << false << 2;
}

void TestRollHistory::keeps_each_formula_once_within_8_mb() {
    QFETCH(QString, formula);
    QFETCH(bool, same);
    QFETCH(int, bytes_a_character);

    RollHistory history;
    QSignalSpy note(&history, &RollHistory::dropped_note_changed);
    const int rolls = same ? RollHistory::capacity : 300;
    for (int roll = 0; roll < rolls; ++roll) {
        history.add(record(same ? formula : formula + QString::number(roll)));
    }
    const QString newest = same ? formula : formula + QString::number(rolls - 1);
    QCOMPARE(history.index(0).data(RollHistory::formula_role).toString(), newest);
    if (same) {
        QCOMPARE(history.rowCount(), RollHistory::capacity);
        QVERIFY(note.isEmpty());
        return;
    }
    // The formulas fill the 8 MB, with a little room for the lines that list them.
    const qsizetype formula_bytes = formula.size() * bytes_a_character;
    QVERIFY(history.rowCount() <= RollHistory::most_bytes / formula_bytes);
    QVERIFY(history.rowCount() >= RollHistory::most_bytes / (formula_bytes + 1024));
    const int dropped = rolls - history.rowCount();
    QCOMPARE(history.index(history.rowCount() - 1).data(RollHistory::formula_role).toString(),
             formula + QString::number(dropped));
    QCOMPARE(note.last().first().toString(),
             QString("Les %1 jets les plus anciens ne sont plus listés : l'historique garde au "
                     "plus 8 Mo.")
                 .arg(dropped));
}

void TestRollHistory::adds_a_line_to_an_entry_while_it_is_kept_data() {
    QTest::addColumn<int>("before"); // rolls before the entry, and after it
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("line_chars");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<int>("dropped"); // by the line

    QTest::newRow("the newest") << 3 << 0 << 20 << true << 0;
    QTest::newRow("an older one") << 0 << 3 << 20 << true << 0;
    QTest::newRow("one let go") << 0 << RollHistory::capacity << 20 << false << 0;
    QTest::newRow("past 8 MB, the older ones go") << 3 << 0 << 4'000'000 << true << 3;
}

void TestRollHistory::adds_a_line_to_an_entry_while_it_is_kept() {
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(int, line_chars);
    QFETCH(bool, kept);
    QFETCH(int, dropped);

    RollHistory history;
    for (int i = 0; i < before; ++i) {
        history.add(record("1"));
    }
    const RollHistory::EntryId entry = history.add(record("2d6"));
    for (int i = 0; i < after; ++i) {
        history.add(record("1"));
    }
    QSignalSpy changed(&history, &RollHistory::dataChanged);
    const int rows = history.rowCount();
    const QString line(line_chars, 'x');
    history.add_line(entry, line);
    QCOMPARE(rows - history.rowCount(), dropped);
    QCOMPARE(changed.size(), kept ? 1 : 0);
    const QString text = text_of(history, std::min(after, history.rowCount() - 1));
    QCOMPARE(text == "21:05:09  2d6 → 8\nmin 8, max 8, moyenne 8,00\n" + line, kept);
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

void TestRollHistory::window_outlives_its_history() {
    auto* history = new RollHistory;
    history->add(record("d6"));
    HistoryWindow window(*history);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    delete history;
    auto* list = window.findChild<QListView*>("history_list");
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    window.hide();
    window.show();
}

void TestRollHistory::up_and_down_recall_formulas_as_a_shell_does() {
    QLineEdit box;
    RollHistory history;
    FormulaRecall recall(box, history);
    for (const char* formula : {"2d6", "2d6", "3d6/4", "", "1"}) {
        history.add(record(formula));
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

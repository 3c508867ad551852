#include "engine/evaluator.h"
#include "ui/distribution_chart.h"
#include "ui/distribution_job.h"
#include "ui/odds_text.h"
#include "ui/odds_window.h"
#include "ui/probability_text.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <limits>

namespace {

const QString pc = QStringLiteral("\u202f%"); // French puts a narrow no-break space before "%"
// A formula whose distribution takes seconds, within the budget: time enough
// to see it work and cancel it.
const QString heavy = QStringLiteral("100d1000/1000");

TotalOdds odds_of(const QString& formula) {
    DistributionProgress progress;
    const FormulaOdds range = formula_odds(formula);
    return {formula_distribution(formula, progress).distribution, range.min, range.max};
}

// The text the result box is left with.
struct ResultBox final : ResultSink {
    QString text = QStringLiteral("unchanged");
    void set_result_text(const QString& shown) override { text = shown; }
    void start_fade() override {}
};

struct Shown {
    OddsWindow window;
    DistributionChart* chart = window.findChild<DistributionChart*>();
    QTableView* table = window.findChild<QTableView*>("odds_table");
    QLabel* summary = window.findChild<QLabel*>("odds_summary");
    QLabel* comparison = window.findChild<QLabel*>("comparison");
    QLineEdit* compared = window.findChild<QLineEdit*>("compared_formula");

    Shown() {
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
    }
    QString announced() const { return window.findChild<QWidget*>("announcer")->accessibleName(); }
    QAccessibleInterface* bar(int index) const {
        return QAccessible::queryAccessibleInterface(chart)->child(index);
    }
};

} // namespace

class TestOddsWindow : public QObject {
    Q_OBJECT

private slots:
    void probabilities_data();
    void probabilities();
    void summaries_data();
    void summaries();
    void tails_are_certain_only_where_certain();
    void errors_read_as_the_result_box_data();
    void errors_read_as_the_result_box();
    void table_copies_as_tab_separated_text();
    void arrows_move_bars_table_and_screen_reader();
    void wide_distributions_group_bars();
    void compares_two_formulas();
    void target_follows_new_formulas();
    void long_work_shows_progress_and_cancels();
    void new_request_cancels_the_one_before();
};

void TestOddsWindow::probabilities_data() {
    QTest::addColumn<double>("probability");
    QTest::addColumn<QString>("text");
    const QString nnbsp = QStringLiteral("\u202f");
    QTest::newRow("impossible") << 0.0 << "0" + pc;
    QTest::newRow("certain") << 1.0 << "100" + pc;
    QTest::newRow("two decimals") << 0.123456 << "12,35" + pc;
    QTest::newRow("trailing zero kept") << 0.523 << "52,30" + pc;
    QTest::newRow("two digits of a small one") << 0.0013 << "0,13" + pc;
    QTest::newRow("four decimals, not grouped") << 1.3e-5 << "0,0013" + pc;
    QTest::newRow("tiny, grouped by three") << 1.3e-7 << "0,000" + nnbsp + "013" + pc;
    QTest::newRow("smallest written out") << 1.3e-9 << "0,000" + nnbsp + "000" + nnbsp + "13" + pc;
    QTest::newRow("power of ten") << 1.3e-12 << "1,3" + nnbsp + "×" + nnbsp + "10⁻¹⁰" + pc;
    QTest::newRow("rounds up to the next power")
        << 9.96e-13 << "1,0" + nnbsp + "×" + nnbsp + "10⁻¹⁰" + pc;
    QTest::newRow("rarer than a double holds") << std::numeric_limits<double>::denorm_min()
                                               << "< 2,2" + nnbsp + "×" + nnbsp + "10⁻³⁰⁶" + pc;
    QTest::newRow("short of certain") << 0.9999987 << "99,999" + nnbsp + "87" + pc;
    QTest::newRow("closer to certain than the figures are exact")
        << 1 - 1e-12 << "> 99,999" + nnbsp + "999" + nnbsp + "9" + pc;
}

void TestOddsWindow::probabilities() {
    QFETCH(double, probability);
    QFETCH(QString, text);
    QCOMPARE(probability_text(probability), text);
}

void TestOddsWindow::summaries_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("lucky");
    QTest::newRow("one likeliest")
        << "2d4"
        << "min 2, max 8, moyenne 5,00, médiane 5, le plus probable 5 (25,00" + pc + ")" << 8
        << "8 : atteint ou dépassé dans 6,25" + pc + " des jets";
    QTest::newRow("two") << "3d6"
                         << "min 3, max 18, moyenne 10,50, médiane 10, les plus probables 10 et 11 "
                            "(12,50" +
                                pc + " chacun)"
                         << 15 << "15 : atteint ou dépassé dans 9,26" + pc + " des jets";
    QTest::newRow("a run")
        << "1d6"
        << "min 1, max 6, moyenne 3,50, médiane 3, les plus probables 1 à 6 (16,67" + pc +
               " chacun)"
        << 1 << "1 : atteint ou dépassé dans 100" + pc + " des jets";
    QTest::newRow("a number") << "1000+1000"
                              << "min 2\u202f000, max 2\u202f000, moyenne 2\u202f000,00, "
                                 "médiane 2\u202f000, le plus probable 2\u202f000 (100" +
                                     pc + ")"
                              << 2000
                              << "2\u202f000 : atteint ou dépassé dans 100" + pc + " des jets";
}

void TestOddsWindow::summaries() {
    QFETCH(QString, formula);
    QFETCH(QString, summary);
    QFETCH(int, total);
    QFETCH(QString, lucky);
    const TotalOdds odds = odds_of(formula);
    QCOMPARE(summary_text(odds), summary);
    QCOMPARE(lucky_text(total, odds), lucky);
}

// A distribution that leaves out 8, 9 and 13, rarer than a double holds.
void TestOddsWindow::tails_are_certain_only_where_certain() {
    const TotalOdds odds({10, {0.25, 0.5, 0.25}}, 8, 13);
    const QString short_of_one = "> 99,999\u202f999\u202f9" + pc;
    const QString rarest = "< 2,2\u202f×\u202f10⁻³⁰⁶" + pc;
    const struct {
        std::int64_t total;
        QString at_least, at_most, equal;
    } rows[] = {
        {7, "100" + pc, "0" + pc, "0" + pc},
        {8, "100" + pc, rarest, rarest},
        {9, short_of_one, rarest, rarest},
        {10, short_of_one, "25,00" + pc, "25,00" + pc},
        {11, "75,00" + pc, "75,00" + pc, "50,00" + pc},
        {12, "25,00" + pc, short_of_one, "25,00" + pc},
        {13, rarest, "100" + pc, rarest},
        {14, "0" + pc, "100" + pc, "0" + pc},
    };
    for (const auto& row : rows) {
        QCOMPARE(probability_text(odds.at_least(row.total)), row.at_least);
        QCOMPARE(probability_text(odds.at_most(row.total)), row.at_most);
        QCOMPARE(probability_text(odds.chance(row.total, row.total)), row.equal);
    }
}

void TestOddsWindow::errors_read_as_the_result_box_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("empty") << "  "
                           << "?, formule vide";
    QTest::newRow("too big") << "1001d6"
                             << "???, nombre supérieur à 1000";
    QTest::newRow("letter") << "3d6x"
                            << "??? : x, caractère « x » non permis";
    QTest::newRow("space within") << "2d6 +1"
                                  << "??? :  , caractère espace (U+0020) non permis";
    QTest::newRow("surrogate pair") << "2d6+😀"
                                    << "??? : 😀, caractère « 😀 » non permis";
    QTest::newRow("lone surrogate")
        << QString("2d") + QChar(0xd800)
        << QString("??? : ") + QChar(0xd800) + ", caractère U+D800 non permis";
    QTest::newRow("misplaced slash alone") << "5/2"
                                           << "« / » hors d'un jet de dés : résultat inchangé";
    QTest::newRow("slash and letter")
        << "x/2"
        << "??? : x, caractère « x » non permis ; « / » hors d'un jet de dés";
}

// The window has no distribution for them and shows the result box's own message.
void TestOddsWindow::errors_read_as_the_result_box() {
    QFETCH(QString, formula);
    QFETCH(QString, spoken);
    DistributionProgress progress;
    const FormulaDistribution result = formula_distribution(formula, progress);
    QCOMPARE(result.outcome, FormulaDistribution::Outcome::formula_error);
    EvaluatorState state;
    DefaultRandomSource random;
    ResultBox box;
    evaluate_formula(state, formula, random, box);
    QCOMPARE(no_distribution_text(result), box.text == "unchanged" ? QString() : box.text);
    QCOMPARE(spoken_no_distribution(result), spoken);
}

void TestOddsWindow::table_copies_as_tab_separated_text() {
    Shown s;
    s.window.show_roll("2d4", 5);
    QTRY_COMPARE(s.table->model()->rowCount(), 7);
    s.table->setFocus();
    QTest::keyClick(s.table, Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), "Total\tP(=)\tP(≥)\tP(≤)\n"
                                                       "2\t6,25" +
                                                           pc + "\t100" + pc + "\t6,25" + pc +
                                                           "\n"
                                                           "3\t12,50" +
                                                           pc + "\t93,75" + pc + "\t18,75" + pc +
                                                           "\n"
                                                           "4\t18,75" +
                                                           pc + "\t81,25" + pc + "\t37,50" + pc +
                                                           "\n"
                                                           "5\t25,00" +
                                                           pc + "\t62,50" + pc + "\t62,50" + pc +
                                                           "\n"
                                                           "6\t18,75" +
                                                           pc + "\t37,50" + pc + "\t81,25" + pc +
                                                           "\n"
                                                           "7\t12,50" +
                                                           pc + "\t18,75" + pc + "\t93,75" + pc +
                                                           "\n"
                                                           "8\t6,25" +
                                                           pc + "\t6,25" + pc + "\t100" + pc +
                                                           "\n");

    // A text field copies its own text; the chart goes as a picture.
    s.compared->setText("1d4");
    s.compared->selectAll();
    QTest::keyClick(s.compared, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), "1d4");
    s.window.findChild<QPushButton*>("copy_chart")->click();
    QCOMPARE(QGuiApplication::clipboard()->image().size(),
             s.chart->size() * s.chart->devicePixelRatio());
}

void TestOddsWindow::arrows_move_bars_table_and_screen_reader() {
    Shown s;
    s.window.show_roll("2d4", 5);
    QTRY_COMPARE(s.chart->bars().size(), std::size_t(7));
    s.chart->setFocus();
    QCOMPARE(s.chart->current_bar(), 3); // the last total's
    const struct {
        Qt::Key key;
        int bar;
        QString name;
        double value;
    } steps[] = {
        {Qt::Key_Left, 2, "4 : 18,75" + pc + ", au moins 4 : 81,25" + pc, 18.75},
        {Qt::Key_Home, 0, "2 : 6,25" + pc + ", au moins 2 : 100" + pc, 6.25},
        {Qt::Key_Left, 0, "2 : 6,25" + pc + ", au moins 2 : 100" + pc, 6.25},
        {Qt::Key_End, 6, "8 : 6,25" + pc + ", au moins 8 : 6,25" + pc, 6.25},
        {Qt::Key_Right, 6, "8 : 6,25" + pc + ", au moins 8 : 6,25" + pc, 6.25},
    };
    for (const auto& step : steps) {
        QTest::keyClick(s.chart, step.key);
        QCOMPARE(s.chart->current_bar(), step.bar);
        QCOMPARE(s.table->selectionModel()->selectedRows(),
                 QModelIndexList{s.table->model()->index(step.bar, 0)});
        QAccessibleInterface* bar = s.bar(step.bar);
        QCOMPARE(bar->text(QAccessible::Name), step.name);
        QCOMPARE(bar->valueInterface()->currentValue().toDouble(), step.value);
        QVERIFY(bar->state().focused && bar->state().selected);
        QCOMPARE(QAccessible::queryAccessibleInterface(s.chart)->focusChild(), bar);
    }
    // And the other way: the chart follows the table.
    s.table->setCurrentIndex(s.table->model()->index(4, 0));
    QCOMPARE(s.chart->current_bar(), 4);
    QCOMPARE(s.bar(4)->text(QAccessible::Value), "18,75" + pc);
}

void TestOddsWindow::wide_distributions_group_bars() {
    Shown s;
    s.window.show_roll("100d6", 350);
    QTRY_VERIFY(!s.chart->bars().empty());
    const auto& bars = s.chart->bars();
    const std::int64_t per_bar = bars[1].last - bars[1].first + 1;
    QVERIFY(bars.size() < 501 && per_bar > 1);
    double sum = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        QVERIFY(i == 0 || bars[i].first == bars[i - 1].last + 1);
        QVERIFY(i == 0 || i + 1 == bars.size() || bars[i].first % per_bar == 0);
        sum += bars[i].main;
    }
    QVERIFY(sum > 1 - 2e-6); // only the unseen tails are left out
    s.chart->setFocus();
    QTest::keyClick(s.chart, Qt::Key_Right);
    const auto& bar = bars[std::size_t(s.chart->current_bar())];
    QVERIFY(s.bar(s.chart->current_bar())
                ->text(QAccessible::Name)
                .startsWith(QStringLiteral("%1 à %2 : ").arg(bar.first).arg(bar.last)));
    QCOMPARE(s.table->selectionModel()->selectedRows().size(), per_bar);
    // Tab to the table: it goes on from the first of them.
    s.table->setFocus();
    QCOMPARE(s.table->currentIndex().row(), bar.first - 100);
}

void TestOddsWindow::compares_two_formulas() {
    Shown s;
    s.window.show_roll("1d6", 3);
    s.compared->setText("1d4");
    // d6 against d4: A wins 14 of 24, ties 4, loses 6.
    QTRY_COMPARE(s.comparison->text(),
                 "P(A > B) = 58,33" + pc + " · P(A = B) = 16,67" + pc + " · P(A < B) = 25,00" + pc);
    QCOMPARE(s.comparison->accessibleName(), "A plus grand que B : 58,33" + pc +
                                                 ", A égal à B : 16,67" + pc +
                                                 ", A plus petit que B : 25,00" + pc);
    QCOMPARE(s.window.findChild<QLabel*>("at_least_answer")->text(),
             "au moins 3 : 66,67" + pc + " (B : 50,00" + pc + ")");
    QCOMPARE(s.bar(2)->text(QAccessible::Name), "3 : 16,67" + pc + " (B : 25,00" + pc +
                                                    "), au moins 3 : 66,67" + pc + " (B : 50,00" +
                                                    pc + ")");
    s.compared->setText("1d4x");
    QTRY_COMPARE(s.comparison->text(), "B : ??? : x");
    s.window.show_roll("3d6x", std::nullopt);
    QTRY_COMPARE(s.summary->text(), "??? : x, caractère « x » non permis");
    QVERIFY(s.chart->bars().empty() && s.table->model()->rowCount() == 0);
    QVERIFY(s.comparison->isHidden());
}

void TestOddsWindow::target_follows_new_formulas() {
    Shown s;
    auto* target = s.window.findChild<QSpinBox*>("at_least");
    auto* answer = s.window.findChild<QLabel*>("at_least_answer");
    s.window.show_roll("2d4", 5);
    QTRY_COMPARE(answer->text(), "au moins 5 : 62,50" + pc);
    s.window.show_roll("3d6", 12);
    QTRY_COMPARE(answer->text(), "au moins 12 : 37,50" + pc);
    target->setValue(15);
    s.window.show_roll("3d6", 9); // the same formula keeps the target chosen
    QCOMPARE(answer->text(), "au moins 15 : 9,26" + pc);
}

void TestOddsWindow::long_work_shows_progress_and_cancels() {
    Shown s;
    auto* progress = s.window.findChild<QProgressBar*>("odds_progress");
    auto* cancel = s.window.findChild<QPushButton*>("odds_cancel");
    s.window.show_roll(heavy, 50000);
    QTRY_VERIFY(progress->isVisible() && cancel->isVisible());
    QCOMPARE(s.announced(), "Calcul des probabilités en cours.");
    QCOMPARE(s.summary->text(), "Calcul en cours…");
    cancel->click();
    QTRY_COMPARE(s.summary->text(), "Calcul annulé.");
    QVERIFY(progress->isHidden() && cancel->isHidden());
    QCOMPARE(s.announced(), "Calcul annulé.");

    // Closing the window stops its work too, and waits for nothing long.
    auto* closed = new OddsWindow;
    QPointer<OddsWindow> alive(closed);
    closed->show();
    closed->show_roll(heavy, 50000);
    QTRY_VERIFY(closed->findChild<QProgressBar*>("odds_progress")->isVisible());
    closed->close();
    QTRY_VERIFY(!alive);
}

void TestOddsWindow::new_request_cancels_the_one_before() {
    DistributionJob job;
    QSignalSpy progressed(&job, &DistributionJob::progressed);
    QSignalSpy finished(&job, &DistributionJob::finished);
    job.request(heavy);
    QTRY_VERIFY(!progressed.isEmpty());
    job.request("2d4");
    // The job's one thread answers one request at a time: had the first not
    // been stopped, the second would still be waiting for it.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 2000);
    QCOMPARE(finished[0][0].toString(), "2d4");
    QVERIFY(!job.busy());
}

QTEST_MAIN(TestOddsWindow)
#include "test_odds_window.moc"

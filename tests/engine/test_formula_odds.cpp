#include "engine/evaluator.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

namespace {

// Dice as the formula should be read: {keep, faces, rolls}.
using Dice = QList<int>;

// Adds to `odds` the range and mean of the best `keep` of `rolls` dice, from every outcome.
void add_every_outcome(FormulaOdds& odds, int keep, int faces, int rolls) {
    const int top = std::max(faces, 1);
    std::vector<std::int64_t> totals;
    for (int outcome = 0; outcome < std::pow(top, rolls); ++outcome) {
        std::vector<int> dice;
        for (int i = 0, rest = outcome; i < rolls; ++i, rest /= top) {
            dice.push_back(rest % top + 1);
        }
        std::sort(dice.begin(), dice.end(), std::greater<>());
        totals.push_back(std::accumulate(dice.begin(), dice.begin() + keep, std::int64_t{0}));
    }
    const auto [least, most] = std::minmax_element(totals.begin(), totals.end());
    odds.min += *least;
    odds.max += *most;
    *odds.mean += std::accumulate(totals.begin(), totals.end(), 0.0) / double(totals.size());
}

// The mean of the best `keep` of `rolls` dice summed, value by value, from
// binomial probabilities worked out in long double: sum over v of E[min(keep, X_v)].
double mean_of_best(int keep, int faces, int rolls) {
    std::vector<long double> log_factorial{0};
    for (int n = 1; n <= rolls; ++n) {
        log_factorial.push_back(log_factorial.back() + std::log((long double)n));
    }
    long double mean = keep; // every die shows 1 or more
    for (int v = 2; v <= faces; ++v) {
        const long double p = (long double)(faces - v + 1) / faces;
        for (int j = 0; j <= rolls; ++j) {
            mean += std::min(keep, j) *
                    std::exp(log_factorial[rolls] - log_factorial[j] - log_factorial[rolls - j] +
                             j * std::log(p) + (rolls - j) * std::log1p(-p));
        }
    }
    return double(mean);
}

} // namespace

class TestFormulaOdds : public QObject {
    Q_OBJECT

private slots:
    void against_every_outcome_data();
    void against_every_outcome();
    void large_keep_best_and_where_there_is_no_mean();
};

void TestFormulaOdds::against_every_outcome_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("constant");
    QTest::addColumn<QList<Dice>>("dice");

    QTest::newRow("3d6/4+2d6+1d4")
        << "3d6/4+2d6+1d4" << 0 << QList<Dice>{{3, 6, 4}, {2, 6, 2}, {1, 4, 1}};
    QTest::newRow("4d3/6+1d20/2+5") << "4d3/6+1d20/2+5" << 5 << QList<Dice>{{4, 3, 6}, {1, 20, 2}};
    QTest::newRow("overwrites, rolls raised, keep-best ends with its term")
        << "2d3d4+3d6/4/5+3d6/2+2d6" << 0
        << QList<Dice>{{3, 4, 3}, {3, 4, 5}, {3, 6, 3}, {2, 6, 2}};
    QTest::newRow("count 0 read as 1, no faces, empty terms")
        << "0d6++2d+3d/5+2" << 2 << QList<Dice>{{1, 6, 1}, {2, 0, 2}, {3, 0, 5}};
}

void TestFormulaOdds::against_every_outcome() {
    QFETCH(QString, formula);
    QFETCH(int, constant);
    QFETCH(QList<Dice>, dice);

    FormulaOdds expected{constant, constant, double(constant)};
    for (const Dice& term : dice) {
        add_every_outcome(expected, term[0], term[1], term[2]);
    }
    const FormulaOdds odds = formula_odds(formula);
    QCOMPARE(odds.min, expected.min);
    QCOMPARE(odds.max, expected.max);
    QVERIFY(odds.mean);
    QVERIFY2(std::abs(*odds.mean - *expected.mean) < 1e-9,
             qPrintable(QString::number(*odds.mean, 'g', 17)));
}

void TestFormulaOdds::large_keep_best_and_where_there_is_no_mean() {
    // 300 dropped of 1000: the tails, after the reflection that trades the
    // kept side for the dropped one. The same term over and over is worked out once.
    const qsizetype copies = 32 * 1024 / 14;
    const FormulaOdds repeated = formula_odds(QString("700d1000/1000+").repeated(copies));
    const double expected = mean_of_best(700, 1000, 1000);
    QVERIFY(repeated.mean);
    QVERIFY2(std::abs(*repeated.mean / copies - expected) < 1e-9 * expected,
             qPrintable(QString::number(*repeated.mean / copies, 'g', 17)));

    // Distinct large terms run out of time; the range stays exact.
    QString distinct;
    std::int64_t min = 0;
    for (int keep = 450; keep < 550; ++keep) {
        distinct += QString("%1d1000/1000+").arg(keep);
        min += keep;
    }
    const FormulaOdds many = formula_odds(distinct);
    QVERIFY(!many.mean);
    QCOMPARE(many.min, min);
    QCOMPARE(many.max, min * 1000);

    // A formula in error has no total.
    for (const char* formula : {"", "1001", "2d6+x", "3+4/2", "1001d6+2d6"}) {
        const FormulaOdds odds = formula_odds(formula);
        QVERIFY2(odds.min == 0 && odds.max == 0 && !odds.mean, formula);
    }
}

QTEST_APPLESS_MAIN(TestFormulaOdds)
#include "test_formula_odds.moc"

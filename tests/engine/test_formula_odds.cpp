#include "engine/evaluator.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <vector>

namespace {

// Dice as the formula should be read: {keep, faces, rolls}.
using Dice = QList<int>;
using Distribution = std::map<std::int64_t, double>; // total -> probability

// Every outcome of `rolls` dice, each kept total with its probability.
Distribution enumerate(int keep, int faces, int rolls) {
    const int top = std::max(faces, 1);
    Distribution outcomes;
    std::vector<int> dice(std::size_t(rolls), 1);
    const double each = std::pow(double(top), -rolls);
    for (;;) {
        std::vector<int> sorted = dice;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        outcomes[std::accumulate(sorted.begin(), sorted.begin() + keep, std::int64_t{0})] += each;
        std::size_t i = 0;
        while (i < dice.size() && dice[i] == top) {
            dice[i++] = 1;
        }
        if (i == dice.size()) {
            return outcomes;
        }
        ++dice[i];
    }
}

Distribution convolve(const Distribution& a, const Distribution& b) {
    Distribution sum;
    for (const auto& [x, p] : a) {
        for (const auto& [y, q] : b) {
            sum[x + y] += p * q;
        }
    }
    return sum;
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
    void large_keep_best_data();
    void large_keep_best();
    void mean_left_out_only_past_the_budget();
    void errors_have_no_odds();
};

void TestFormulaOdds::against_every_outcome_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("constant");
    QTest::addColumn<QList<Dice>>("dice");

    QTest::newRow("3d6/4") << "3d6/4" << 0 << QList<Dice>{{3, 6, 4}};
    QTest::newRow("2d6+1d4") << "2d6+1d4" << 0 << QList<Dice>{{2, 6, 2}, {1, 4, 1}};
    QTest::newRow("4d3/6") << "4d3/6" << 0 << QList<Dice>{{4, 3, 6}};
    QTest::newRow("advantage") << "1d20/2+5" << 5 << QList<Dice>{{1, 20, 2}};
    QTest::newRow("help example") << "3d6/4+2d8+1" << 1 << QList<Dice>{{3, 6, 4}, {2, 8, 2}};
    QTest::newRow("second d overwrites count") << "2d3d4" << 0 << QList<Dice>{{3, 4, 3}};
    QTest::newRow("second slash overwrites faces") << "3d6/4/5" << 0 << QList<Dice>{{3, 4, 5}};
    QTest::newRow("rolls raised to count") << "3d6/2" << 0 << QList<Dice>{{3, 6, 3}};
    QTest::newRow("count zero, left out") << "0d6+d4/" << 0 << QList<Dice>{{1, 6, 1}, {1, 4, 1}};
    QTest::newRow("no faces") << "2d+d+3d/5" << 0 << QList<Dice>{{2, 0, 2}, {1, 0, 1}, {3, 0, 5}};
    QTest::newRow("numbers and empty terms") << "2++3+" << 5 << QList<Dice>{};
}

void TestFormulaOdds::against_every_outcome() {
    QFETCH(QString, formula);
    QFETCH(int, constant);
    QFETCH(QList<Dice>, dice);

    Distribution total{{constant, 1.0}};
    for (const Dice& term : dice) {
        total = convolve(total, enumerate(term[0], term[1], term[2]));
    }
    double mean = 0;
    for (const auto& [value, p] : total) {
        mean += value * p;
    }
    const FormulaOdds odds = formula_odds(formula);
    QCOMPARE(odds.min, total.begin()->first);
    QCOMPARE(odds.max, total.rbegin()->first);
    QVERIFY(odds.mean);
    QVERIFY2(std::abs(*odds.mean - mean) < 1e-9, qPrintable(QString::number(*odds.mean, 'g', 17)));
}

void TestFormulaOdds::large_keep_best_data() {
    QTest::addColumn<int>("keep");
    QTest::addColumn<int>("faces");
    QTest::addColumn<int>("rolls");

    // Kept or dropped, few or many: both ways of working out a face, and the
    // reflection that trades the kept side for the dropped one.
    QTest::newRow("best of 1000 d1000") << 1 << 1000 << 1000;
    QTest::newRow("all but one of 1000") << 999 << 1000 << 1000;
    QTest::newRow("best 40 of 1000") << 40 << 1000 << 1000;
    QTest::newRow("best 41 of 1000") << 41 << 1000 << 1000;
    QTest::newRow("best half of 1000") << 500 << 1000 << 1000;
    QTest::newRow("best 700 of 1000 d6") << 700 << 6 << 1000;
}

void TestFormulaOdds::large_keep_best() {
    QFETCH(int, keep);
    QFETCH(int, faces);
    QFETCH(int, rolls);

    const FormulaOdds odds = formula_odds(QString("%1d%2/%3").arg(keep).arg(faces).arg(rolls));
    const double expected = mean_of_best(keep, faces, rolls);
    QVERIFY(odds.mean);
    QVERIFY2(
        std::abs(*odds.mean - expected) < 1e-9 * expected,
        qPrintable(QString("%1 against %2").arg(*odds.mean, 0, 'g', 17).arg(expected, 0, 'g', 17)));
    QCOMPARE(odds.min, keep);
    QCOMPARE(odds.max, std::int64_t{keep} * faces);
}

void TestFormulaOdds::mean_left_out_only_past_the_budget() {
    // The same large term over and over is worked out once.
    const qsizetype copies = 32 * 1024 / 15;
    const FormulaOdds repeated = formula_odds(QString("500d1000/1000+").repeated(copies));
    QVERIFY(repeated.mean);
    QVERIFY(std::abs(*repeated.mean / copies - mean_of_best(500, 1000, 1000)) < 1e-6);

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

    // Thousands of distinct small terms are cheap enough.
    QString small;
    for (int rolls = 2; rolls < 1000; ++rolls) {
        small += QString("1d6/%1+").arg(rolls);
    }
    QVERIFY(formula_odds(small).mean);
}

void TestFormulaOdds::errors_have_no_odds() {
    for (const char* formula : {"", "1001", "2d6+x", "3+4/2", "1001d6+2d6"}) {
        const FormulaOdds odds = formula_odds(formula);
        QCOMPARE(odds.min, 0);
        QCOMPARE(odds.max, 0);
        QVERIFY2(!odds.mean, formula);
    }
}

QTEST_APPLESS_MAIN(TestFormulaOdds)
#include "test_formula_odds.moc"

#include "engine/evaluator.h"
#include "engine/formula_distribution.h"
#include "engine/scripted_random_source.h"

#include <QTest>
#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>
#include <chrono>
#include <cmath>
#include <functional>
#include <future>
#include <thread>

namespace {

using boost::multiprecision::cpp_int;
using Clock = std::chrono::steady_clock;
using Dice = QList<int>; // keep, faces, rolls, as the formula should be read

// The rolls giving each total, from `min` on, out of `all`.
struct Counted {
    std::int64_t min = 0;
    std::vector<cpp_int> rolls{1};
    cpp_int all = 1;
};

// Every roll of a term, each die from 1 to its top, counted by the sum of the best.
Counted every_roll(int keep, int faces, int rolls) {
    const int top = std::max(faces, 1);
    Counted term{keep, std::vector<cpp_int>(std::size_t(keep * (top - 1) + 1)), 0};
    std::vector<int> dice(std::size_t(rolls), 1);
    do {
        std::vector<int> sorted = dice;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        int sum = 0;
        for (int i = 0; i < keep; ++i) {
            sum += sorted[std::size_t(i)];
        }
        ++term.rolls[std::size_t(sum - keep)];
        ++term.all;
    } while (std::any_of(dice.begin(), dice.end(),
                         [&](int& die) { return (die = die % top + 1) != 1; }));
    return term;
}

Counted sum(const Counted& a, const Counted& b) {
    Counted both{a.min + b.min, std::vector<cpp_int>(a.rolls.size() + b.rolls.size() - 1),
                 a.all * b.all};
    for (std::size_t i = 0; i < a.rolls.size(); ++i) {
        for (std::size_t j = 0; j < b.rolls.size(); ++j) {
            both.rolls[i + j] += a.rolls[i] * b.rolls[j];
        }
    }
    return both;
}

Distribution exact(const QString& formula) {
    DistributionProgress progress;
    const FormulaDistribution result = formula_distribution(formula, progress);
    if (result.outcome != FormulaDistribution::Outcome::exact) {
        qFatal("%s: outcome %d", qPrintable(formula), int(result.outcome));
    }
    return result.distribution;
}

// What every distribution must be, whatever its method: its ends above 0,
// summing to 1, tails that only ever shrink away from their end (at a hundred
// totals or so, as each costs a pass).
void check_whole(const QString& formula, const Distribution& d) {
    QVERIFY2(d.p.front() > 0 && d.p.back() > 0, qPrintable(formula));
    double total = 0.0;
    for (double x : d.p) {
        QVERIFY(x >= 0.0);
        total += x;
    }
    QVERIFY2(std::abs(total - 1.0) < 1e-12, qPrintable(formula));
    const std::int64_t step = std::max<std::int64_t>(1, std::int64_t(d.p.size()) / 100);
    for (std::int64_t t = d.min - 1; t <= d.max() + 1; t += step) {
        QVERIFY2(d.at_least(t) >= d.at_least(t + 1) && d.at_most(t) <= d.at_most(t + 1),
                 qPrintable(formula));
    }
    QCOMPARE(d.at_least(d.min), 1.0);
    QCOMPARE(d.at_most(d.max()), 1.0);
    QCOMPARE(d.at_least(d.max() + 1), 0.0);
    QCOMPARE(d.at_most(d.min - 1), 0.0);
}

} // namespace

class TestFormulaDistribution : public QObject {
    Q_OBJECT

private slots:
    void against_every_roll_data();
    void against_every_roll();
    void large_formulas_against_their_mean();
    void tiny_tails_keep_their_digits();
    void reading_it_off();
    void formula_errors_as_the_result_box();
    void past_the_budget_at_once();
    void cancelled_from_another_thread();
};

void TestFormulaDistribution::against_every_roll_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("constant");
    QTest::addColumn<QList<Dice>>("dice");

    QTest::newRow("keep-best") << "3d6/4" << 0 << QList<Dice>{{3, 6, 4}};
    QTest::newRow("overwrites, rolls raised, keep-best ends with its term")
        << "3d6/4/5+2d3d4+3d6/2+2d6" << 0
        << QList<Dice>{{3, 4, 5}, {3, 4, 3}, {3, 6, 3}, {2, 6, 2}};
    QTest::newRow("count 0 read as 1, 0 and 1 face, empty terms, numbers")
        << "0d6++2d+3d/5+3d1/4+2+" << 2 << QList<Dice>{{1, 6, 1}, {2, 0, 2}, {3, 0, 5}, {3, 1, 4}};
    QTest::newRow("all kept, dice of one kind apart, one die")
        << "4d6/4+2d6+d6/+5" << 5 << QList<Dice>{{4, 6, 4}, {2, 6, 2}, {1, 6, 1}};
    QTest::newRow("sum of kinds") << "3d6/4+2d8+1d20/2+5" << 5
                                  << QList<Dice>{{3, 6, 4}, {2, 8, 2}, {1, 20, 2}};
    QTest::newRow("a term met again")
        << "2d4/5+1d6/3+2d4/5+5d3/7+2d4/5" << 0
        << QList<Dice>{{2, 4, 5}, {1, 6, 3}, {2, 4, 5}, {5, 3, 7}, {2, 4, 5}};
    QTest::newRow("no dice") << "+" << 0 << QList<Dice>{};
}

// Each probability to 1e-12 of itself, so that small ones are checked too.
void TestFormulaDistribution::against_every_roll() {
    QFETCH(QString, formula);
    QFETCH(int, constant);
    QFETCH(QList<Dice>, dice);

    Counted expected{constant};
    for (const Dice& term : dice) {
        expected = sum(expected, every_roll(term[0], term[1], term[2]));
    }
    const Distribution d = exact(formula);
    check_whole(formula, d);
    QCOMPARE(d.min, expected.min);
    QCOMPARE(d.p.size(), expected.rolls.size());
    for (std::size_t i = 0; i < d.p.size(); ++i) {
        const long double p =
            expected.rolls[i].convert_to<long double>() / expected.all.convert_to<long double>();
        QVERIFY2(std::abs(d.p[i] - p) <= 1e-12 * p,
                 qPrintable(QString("%1: %2").arg(d.min + qsizetype(i)).arg(d.p[i], 0, 'g', 17)));
    }
}

void TestFormulaDistribution::large_formulas_against_their_mean() {
    for (const char* formula : {"1000d1000", "50d100/100", "3d1000/1000+998d10/999",
                                "100d6+20d100+10d20/20+3d6/4+3d6/4+3d6/4+7"}) {
        const Distribution d = exact(formula);
        check_whole(formula, d);
        const double mean = *formula_odds(formula).mean;
        QVERIFY2(std::abs(d.mean() - mean) < 1e-9 * mean, formula);
    }
    // Three thousand dice, whose least likely totals are below the range of a long double.
    const Distribution many = exact("1000d1000+1000d1000+1000d1000");
    check_whole("3000d1000", many);
    QCOMPARE(many.median(), std::int64_t{1501500});
    QCOMPARE(many.most_likely(), std::int64_t{1501500});
}

// The least likely totals of 20d6 have 6^-20 each, some 2.7e-16, far below the
// rounding of the sum of all.
void TestFormulaDistribution::tiny_tails_keep_their_digits() {
    const Distribution d = exact("20d6");
    const double least = std::pow(6.0, -20);
    QVERIFY(std::abs(d.at_least(120) - least) < 1e-12 * least);
    QVERIFY(std::abs(d.at_most(20) - least) < 1e-12 * least);
    QVERIFY(std::abs(d.at_least(119) - 21 * least) < 1e-12 * 21 * least);
    const Comparison below = compare(d, Distribution{21, {1.0}});
    QVERIFY(std::abs(below.less - least) < 1e-12 * least);
    QVERIFY(std::abs(below.greater + below.equal - 1.0) < 1e-13);
}

void TestFormulaDistribution::reading_it_off() {
    const Comparison c = compare(exact("d6"), exact("d4"));
    QVERIFY(std::abs(c.greater - 14 / 24.0) < 1e-15);
    QVERIFY(std::abs(c.equal - 4 / 24.0) < 1e-15);
    QVERIFY(std::abs(c.less - 6 / 24.0) < 1e-15);

    const Distribution d6 = exact("d6");
    QCOMPARE(d6.median(), std::int64_t{3}); // P(total <= 3) = 1/2, give or take an ulp
    QCOMPARE(d6.most_likely(), std::int64_t{1});
    const Distribution three = exact("3d6");
    QCOMPARE(three.most_likely(), std::int64_t{10}); // 10 and 11 alike
    QCOMPARE(three.median(), std::int64_t{10});
    QVERIFY(std::abs(three.mean() - 10.5) < 1e-13);
    QVERIFY(std::abs(three.at_least(17) - 4 / 216.0) < 1e-16);
}

void TestFormulaDistribution::formula_errors_as_the_result_box() {
    for (const char* formula :
         {"", "   ", "1001", "2X6", "2000x", "3+4/2", "5/2+1001", "1001d6+2d6"}) {
        EvaluatorState state;
        ScriptedRandomSource random({0.5f});
        struct : ResultSink {
            void set_result_text(const QString&) override {}
            void start_fade() override {}
        } sink;
        RollDetail detail;
        evaluate_formula(state, formula, random, sink, detail);

        DistributionProgress progress;
        const FormulaDistribution result = formula_distribution(formula, progress);
        QCOMPARE(result.outcome, FormulaDistribution::Outcome::formula_error);
        QCOMPARE(result.error, detail.error);
        QCOMPARE(result.bad_char, detail.bad_char);
        QCOMPARE(result.misplaced_slash, detail.misplaced_slash);
        QVERIFY(result.distribution.p.empty());
    }
}

// Refused from its estimate, before any work: by time, by memory, by a
// budget of the caller's.
void TestFormulaDistribution::past_the_budget_at_once() {
    const QString memory = QString("1000d1000+").repeated(32 * 1024 / 10);
    const std::pair<QString, DistributionBudget> cases[] = {
        {"500d1000/1000", {}},
        {memory, {}},
        {"50d100/100", {256u << 20, std::chrono::milliseconds(1)}}};
    for (const auto& [formula, budget] : cases) {
        DistributionProgress progress;
        const Clock::time_point start = Clock::now();
        const FormulaDistribution result = formula_distribution(formula, progress, budget);
        QCOMPARE(result.outcome, FormulaDistribution::Outcome::over_budget);
        QVERIFY(Clock::now() - start < std::chrono::seconds(1));
        QCOMPARE(progress.fraction_done(), 0.0);
    }
}

// Seconds of work, stopped within a millisecond or so of the call; the bound
// leaves room for a loaded machine.
void TestFormulaDistribution::cancelled_from_another_thread() {
    DistributionProgress progress;
    auto work = std::async(std::launch::async,
                           [&] { return formula_distribution("100d1000/1000", progress); });
    while (progress.fraction_done() == 0.0) {
        std::this_thread::yield();
    }
    const Clock::time_point start = Clock::now();
    progress.cancel();
    const FormulaDistribution result = work.get();
    QVERIFY(Clock::now() - start < std::chrono::milliseconds(500));
    QCOMPARE(result.outcome, FormulaDistribution::Outcome::cancelled);
}

QTEST_APPLESS_MAIN(TestFormulaDistribution)
#include "test_formula_distribution.moc"

#include "engine/evaluator.h"
#include "engine/scripted_random_source.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

const float highest = std::nextafter(1.0f, 0.0f); // the largest draw below 1

struct RecordingSink final : ResultSink {
    QStringList texts;
    int fades = 0;
    void set_result_text(const QString& text) override { texts << text; }
    void start_fade() override { ++fades; }
};

// A term as "5", "2d6: 1 4 = 5" or "3d6/4: 1~ 4 6 2 = 12" (~ for a dropped
// die, +n for dice not listed); terms joined by " | ".
QString describe(const RollDetail& detail) {
    QStringList terms;
    for (const TermDetail& term : detail.terms) {
        if (term.kind == TermDetail::Kind::number) {
            terms << QString::number(term.sum);
            continue;
        }
        QString text = QString("%1d%2").arg(term.kept).arg(term.faces);
        if (term.kind == TermDetail::Kind::keep_best) {
            text += QString("/%1").arg(term.thrown);
        }
        text += u':';
        for (const DieDetail& die : term.dice) {
            text += QString(" %1%2").arg(die.value).arg(die.dropped ? "~" : "");
        }
        if (const auto more = term.thrown - qsizetype(term.dice.size()); more > 0) {
            text += QString(" +%1").arg(more);
        }
        terms << text + QString(" = %1").arg(term.sum);
    }
    return terms.join(" | ");
}

RollDetail detail_of(const QString& formula, const QList<float>& draws) {
    EvaluatorState state;
    ScriptedRandomSource random({draws.begin(), draws.end()});
    RecordingSink sink;
    RollDetail detail;
    evaluate_formula(state, formula, random, sink, detail);
    return detail;
}

} // namespace

class TestRollDetail : public QObject {
    Q_OBJECT

private slots:
    void same_draws_and_texts_as_without_detail();
    void terms_data();
    void terms();
    void dropped_dice_as_a_stable_sort_drops_them();
    void errors_data();
    void errors();
    void bounded_for_huge_formulas_data();
    void bounded_for_huge_formulas();
    void detail_handed_in_again_holds_only_the_new_roll();
};

void TestRollDetail::same_draws_and_texts_as_without_detail() {
    const QStringList formulas{"3d6/4+2d8+1",
                               "1000d1000",
                               "998d1000/999+500d6/1000",
                               "2d3d4+3d6/4/5",
                               "2d6x+3d4",
                               "5/2+d6",
                               "1001d6+2d6",
                               "",
                               "d+0d6+2d+3d6/2",
                               QString("1d6+").repeated(3000)};
    DefaultRandomSource plain_random;
    DefaultRandomSource detail_random;
    plain_random.seed(14);
    detail_random.seed(14);
    EvaluatorState plain_state;
    EvaluatorState detail_state;
    RollDetail detail;
    for (const QString& formula : formulas) {
        RecordingSink plain;
        RecordingSink with_detail;
        evaluate_formula(plain_state, formula, plain_random, plain);
        evaluate_formula(detail_state, formula, detail_random, with_detail, detail);
        QCOMPARE(with_detail.texts, plain.texts);
        QCOMPARE(with_detail.fades, plain.fades);
        // The generators stay in step: as many draws with the detail as without.
        QCOMPARE(detail_random.draw(), plain_random.draw());
        if (with_detail.fades == 1 && detail.terms_not_listed == 0) {
            const std::int64_t sum = std::accumulate(
                detail.terms.begin(), detail.terms.end(), std::int64_t{0},
                [](std::int64_t s, const TermDetail& term) { return s + term.sum; });
            QCOMPARE(u' ' + QString::number(sum), with_detail.texts.front());
        }
    }
}

void TestRollDetail::terms_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QString>("described");

    const QList<float> low_mid_high{0.0f, 0.5f, highest};
    const QList<float> high{highest};
    QTest::newRow("numbers, empty terms left out") << "3++0+" << high << "3 | 0";
    QTest::newRow("dice term") << "3d6" << low_mid_high << "3d6: 1 4 6 = 11";
    QTest::newRow("count left out") << "d6" << high << "1d6: 6 = 6";
    QTest::newRow("faces left out count 1") << "2d" << high << "2d0: 1 1 = 2";
    QTest::newRow("second d overwrites count") << "2d3d4" << high << "3d4: 4 4 4 = 12";
    QTest::newRow("second slash overwrites faces")
        << "3d6/4/5" << high << "3d4/5: 4 4 4 4~ 4~ = 12";
    QTest::newRow("rolls raised to count") << "3d6/2" << low_mid_high << "3d6/3: 1 4 6 = 11";
    QTest::newRow("keep best 3 of 4")
        << "3d6/4" << QList<float>{0.0f, 0.5f, highest, 0.2f} << "3d6/4: 1~ 4 6 2 = 12";
    // Both ways of finding the cut: from the bottom (one dropped), from the top (one kept).
    QTest::newRow("tie at the cut, dropped from the bottom")
        << "3d6/4" << QList<float>{0.5f, 0.0f, 0.5f, 0.5f, 0.5f} << "3d6/4: 4 1~ 4 4 = 12";
    QTest::newRow("tie at the cut, kept from the top")
        << "1d6/4" << QList<float>{0.5f, 0.0f, 0.5f, 0.5f} << "1d6/4: 4 1~ 4~ 4~ = 4";
    QTest::newRow("keep-best ends with its term")
        << "3d6/4+2d8+1" << QList<float>{0.0f} << "3d6/4: 1 1 1 1~ = 3 | 2d8: 1 1 = 2 | 1";
    QTest::newRow("first dice of a long term")
        << "25d6" << high << "25d6: " + QString("6 ").repeated(20) + "+5 = 150";
}

void TestRollDetail::terms() {
    QFETCH(QString, formula);
    QFETCH(QList<float>, draws);
    QFETCH(QString, described);
    QCOMPARE(describe(detail_of(formula, draws)), described);
}

// Among equal values the earlier thrown are kept, as a stable sort into
// descending order would keep them.
void TestRollDetail::dropped_dice_as_a_stable_sort_drops_them() {
    DefaultRandomSource random;
    random.seed(7);
    QList<float> draws(20);
    for (const char* formula : {"1d4/20", "5d3/20", "10d6/20", "15d4/20", "19d2/20"}) {
        const int keep = QString(formula).section(u'd', 0, 0).toInt();
        for (int round = 0; round < 200; ++round) {
            random.draw_many(draws);
            const RollDetail detail = detail_of(formula, draws);
            const std::vector<DieDetail>& dice = detail.terms.front().dice;
            std::vector<std::size_t> order(dice.size());
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return dice[a].value > dice[b].value;
            });
            for (std::size_t rank = 0; rank < order.size(); ++rank) {
                QCOMPARE(dice[order[rank]].dropped, rank >= std::size_t(keep));
            }
        }
    }
}

void TestRollDetail::errors_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("badChar");
    QTest::addColumn<bool>("misplacedSlash");

    const auto none = int(FormulaError::none);
    const auto bad = int(FormulaError::bad_char);
    QTest::newRow("empty") << "  " << int(FormulaError::empty) << "" << false;
    QTest::newRow("number above 1000") << "2d6+1001" << int(FormulaError::too_big) << "" << false;
    QTest::newRow("last error wins") << "2000x" << bad << "x" << false;
    QTest::newRow("misplaced slash alone") << "3+4/2" << none << "" << true;
    QTest::newRow("misplaced slash and a letter") << "5/2x" << bad << "x" << true;
    QTest::newRow("count past limit") << "1001d6+2d6" << int(FormulaError::too_big) << "" << false;
}

void TestRollDetail::errors() {
    QFETCH(QString, formula);
    QFETCH(int, error);
    QFETCH(QString, badChar);
    QFETCH(bool, misplacedSlash);

    const RollDetail detail = detail_of(formula, {highest});
    QCOMPARE(int(detail.error), error);
    const QString shown_char =
        detail.bad_char == 0 ? QString() : QString::fromUcs4(&detail.bad_char, 1);
    QCOMPARE(shown_char, badChar);
    QCOMPARE(detail.misplaced_slash, misplacedSlash);
    QVERIFY(detail.terms.empty());
    QCOMPARE(detail.terms_not_listed, 0);
}

void TestRollDetail::bounded_for_huge_formulas_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("terms");
    QTest::addColumn<int>("firstTermSum");

    const auto to_32_kib = [](const char* term) {
        return QString(term).repeated(32 * 1024 / qstrlen(term));
    };
    QTest::newRow("1000d1000") << "1000d1000" << 1 << 1'000'000;
    QTest::newRow("32 KiB of 1d6+") << to_32_kib("1d6+") << 8192 << 6;
    QTest::newRow("32 KiB of 998d1000/999+") << to_32_kib("998d1000/999+") << 2520 << 998'000;
}

void TestRollDetail::bounded_for_huge_formulas() {
    QFETCH(QString, formula);
    QFETCH(int, terms);
    QFETCH(int, firstTermSum);

    const RollDetail detail = detail_of(formula, {highest});
    QCOMPARE(qsizetype(detail.terms.size()), std::min(terms, max_terms_listed));
    QCOMPARE(detail.terms_not_listed, terms - qsizetype(detail.terms.size()));
    for (const TermDetail& term : detail.terms) {
        QCOMPARE(term.sum, firstTermSum);
        QVERIFY(term.dice.size() <= std::size_t(max_dice_listed));
        QCOMPARE(term.dice.size(), std::size_t(std::min<int>(term.thrown, max_dice_listed)));
    }
}

void TestRollDetail::detail_handed_in_again_holds_only_the_new_roll() {
    EvaluatorState state;
    ScriptedRandomSource random({highest});
    RecordingSink sink;
    RollDetail detail;
    evaluate_formula(state, QString("3d6/4+").repeated(100), random, sink, detail);
    evaluate_formula(state, "5+2d", random, sink, detail);
    QCOMPARE(describe(detail), "5 | 2d0: 1 1 = 2");
    QCOMPARE(detail.terms_not_listed, 0);
    evaluate_formula(state, "2x", random, sink, detail);
    QCOMPARE(detail.error, FormulaError::bad_char);
    evaluate_formula(state, "4", random, sink, detail);
    QCOMPARE(detail.error, FormulaError::none);
    QCOMPARE(detail.bad_char, char32_t{0});
}

QTEST_APPLESS_MAIN(TestRollDetail)
#include "test_roll_detail.moc"

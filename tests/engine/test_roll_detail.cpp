#include "engine/evaluator.h"
#include "engine/scripted_random_source.h"

#include <QTest>
#include <cmath>

namespace {

const float highest = std::nextafter(1.0f, 0.0f); // the largest draw below 1

struct RecordingSink final : ResultSink {
    QStringList texts;
    int fades = 0;
    void set_result_text(const QString& text) override { texts << text; }
    void start_fade() override { ++fades; }
};

// Terms as "5" or "3d6/4: 1~ 4 6 2 = 12" (~ for a dropped die, +n for dice not
// listed), then "+n terms" and the error, all joined by " | ".
QString describe(const RollDetail& detail) {
    QStringList terms;
    for (const TermDetail& term : detail.terms) {
        if (term.kind == TermDetail::Kind::number) {
            terms << QString::number(term.sum);
            continue;
        }
        const bool best = term.kind == TermDetail::Kind::keep_best;
        QString text = QString("%1d%2%3:")
                           .arg(term.kept)
                           .arg(term.faces)
                           .arg(best ? QString("/%1").arg(term.thrown) : QString());
        for (const DieDetail& die : term.dice) {
            text += QString(" %1%2").arg(die.value).arg(die.dropped ? "~" : "");
        }
        const auto more = term.thrown - qsizetype(term.dice.size());
        terms << text + (more > 0 ? QString(" +%1").arg(more) : "") + " = " +
                     QString::number(term.sum);
    }
    if (detail.terms_not_listed > 0) {
        terms << QString("+%1 terms").arg(detail.terms_not_listed);
    }
    if (detail.error != FormulaError::none || detail.misplaced_slash) {
        const char* const errors[] = {"", "empty", "too big", "bad "};
        terms << errors[int(detail.error)] +
                     QString::fromUcs4(&detail.bad_char, detail.bad_char ? 1 : 0) +
                     (detail.misplaced_slash ? "misplaced /" : "");
    }
    return terms.join(" | ");
}

// The detail handed in holds an earlier roll's leftovers, which must not show.
RollDetail detail_of(const QString& formula, const QList<float>& draws) {
    EvaluatorState state;
    ScriptedRandomSource random({draws.begin(), draws.end()});
    RecordingSink sink;
    RollDetail detail{{TermDetail{}}, 7,    FormulaError::bad_char,
                      U'x',           true, RollOutcome::unchanged};
    evaluate_formula(state, formula, random, sink, detail);
    return detail;
}

} // namespace

class TestRollDetail : public QObject {
    Q_OBJECT

private slots:
    void same_draws_and_texts_as_without_detail();
    void described_data();
    void described();
};

void TestRollDetail::same_draws_and_texts_as_without_detail() {
    DefaultRandomSource plain_random;
    DefaultRandomSource detail_random;
    plain_random.seed(14);
    detail_random.seed(14);
    EvaluatorState plain_state;
    EvaluatorState detail_state;
    RollDetail detail;
    for (const QString& formula : QStringList{
             "3d6/4+2d8+1", "998d1000/999+500d6/1000", "2d3d4+3d6/4/5", "2d6x+3d4", "5/2+d6",
             "1001d6+2d6", "", "d+0d6+2d+3d6/2", QString("1d6+").repeated(3000)}) {
        RecordingSink plain;
        RecordingSink with_detail;
        evaluate_formula(plain_state, formula, plain_random, plain);
        evaluate_formula(detail_state, formula, detail_random, with_detail, detail);
        QCOMPARE(with_detail.texts, plain.texts);
        QCOMPARE(with_detail.fades, plain.fades);
        const RollOutcome shown = plain.fades == 1        ? RollOutcome::total
                                  : plain.texts.isEmpty() ? RollOutcome::unchanged
                                                          : RollOutcome::message;
        QCOMPARE(detail.outcome, shown);
        QCOMPARE(detail_random.draw(), plain_random.draw()); // the generators stay in step
    }
}

void TestRollDetail::described_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QString>("described");

    const QList<float> high{highest};
    QTest::newRow("numbers, empty terms, count or faces left out, keep-best ends with its term")
        << "3++0+2d+d6/2+d6" << high << "3 | 0 | 2d0: 1 1 = 2 | 1d6/2: 6 6~ = 6 | 1d6: 6 = 6";
    // Among equal values the earlier thrown are kept, the cut found from either end.
    QTest::newRow("tie at the cut, one dropped")
        << "3d6/4" << QList<float>{0.5f, 0.0f, 0.5f, 0.5f, 0.5f} << "3d6/4: 4 1~ 4 4 = 12";
    QTest::newRow("tie at the cut, one kept")
        << "1d6/4" << QList<float>{0.5f, 0.0f, 0.5f, 0.5f} << "1d6/4: 4 1~ 4~ 4~ = 4";
    QTest::newRow("1000 dice") << "1000d1000" << high
                               << "1000d1000: " + QString("1000 ").repeated(20) + "+980 = 1000000";
    const QString term = "998d1000/999: " + QString("1000 ").repeated(20) + "+979 = 998000";
    QTest::newRow("32 KiB") << QString("998d1000/999+").repeated(32 * 1024 / 13) << high
                            << QStringList(max_terms_listed, term).join(" | ") + " | +2470 terms";
    QTest::newRow("empty") << "  " << high << "empty";
    QTest::newRow("count above 1000") << "1001d6+2d6" << high << "too big";
    QTest::newRow("last error wins, lower-cased") << "2000X" << high << "bad x";
    QTest::newRow("misplaced slash") << "3+4/2" << high << "misplaced /";
    QTest::newRow("slash and letter") << "5/2x" << high << "bad xmisplaced /";
}

void TestRollDetail::described() {
    QFETCH(QString, formula);
    QFETCH(QList<float>, draws);
    QFETCH(QString, described);
    QCOMPARE(describe(detail_of(formula, draws)), described);
}

QTEST_APPLESS_MAIN(TestRollDetail)
#include "test_roll_detail.moc"

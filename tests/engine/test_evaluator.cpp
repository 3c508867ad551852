#include "engine/evaluator.h"
#include "engine/scripted_random_source.h"

#include <QTest>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

const float highest = std::nextafter(1.0f, 0.0f); // the largest draw below 1

struct RecordingSink final : ResultSink {
    QStringList texts;
    int fades = 0;
    void set_result_text(const QString& text) override { texts << text; }
    void start_fade() override { ++fades; }
};

struct Run {
    QStringList texts;
    int fades = 0;
    std::size_t draws = 0;
};

Run evaluate(const QString& formula, const QList<float>& draws = {highest}) {
    EvaluatorState state;
    ScriptedRandomSource random({draws.begin(), draws.end()});
    RecordingSink sink;
    evaluate_formula(state, formula, random, sink);
    return {sink.texts, sink.fades, random.draws()};
}

QString repeated(const char* piece, qsizetype times) {
    return QString(piece).repeated(times);
}

} // namespace

class TestEvaluator : public QObject {
    Q_OBJECT

private slots:
    void totals_data();
    void totals();
    void errors_data();
    void errors();
    void misplaced_slash_writes_nothing_and_starts_no_fade();
    void nothing_carries_over_between_evaluations();
};

void TestEvaluator::totals_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("expectedDraws");

    const QList<float> low_mid_high{0.0f, 0.5f, highest};
    QTest::newRow("plain sum") << "3+5" << QList<float>{} << " 8" << 0;
    QTest::newRow("lone plus") << "+" << QList<float>{} << " 0" << 0;
    QTest::newRow("empty term") << "2++3" << QList<float>{} << " 5" << 0;
    QTest::newRow("trailing plus") << "5+" << QList<float>{} << " 5" << 0;
    QTest::newRow("largest number") << "1000" << QList<float>{} << " 1000" << 0;
    QTest::newRow("d6 low, mid, high") << "3d6" << low_mid_high << " 11" << 3;
    QTest::newRow("upper case") << "2D6" << QList<float>{0.0f} << " 2" << 2;
    QTest::newRow("outer spaces") << "  2d6  " << QList<float>{0.0f} << " 2" << 2;
    QTest::newRow("count left out") << "d6" << QList<float>{highest} << " 6" << 1;
    QTest::newRow("count zero") << "0d6" << QList<float>{highest} << " 6" << 1;
    QTest::newRow("faces left out") << "2d" << QList<float>{highest} << " 2" << 2;
    QTest::newRow("bare d") << "d" << QList<float>{highest} << " 1" << 1;
    QTest::newRow("one face") << "4d1" << QList<float>{highest} << " 4" << 4;
    // Throws 1, 4, 6, 2: the best three make 12.
    QTest::newRow("keep best 3 of 4")
        << "3d6/4" << QList<float>{0.0f, 0.5f, highest, 0.2f} << " 12" << 4;
    QTest::newRow("rolls raised to count") << "3d6/2" << low_mid_high << " 11" << 3;
    QTest::newRow("rolls left out") << "d6/" << QList<float>{highest} << " 6" << 1;
    QTest::newRow("keep ends with its term") << "3d6/4+2d8+1" << QList<float>{0.0f} << " 6" << 6;
    QTest::newRow("second d overwrites count") << "2d3d4" << QList<float>{highest} << " 12" << 3;
    QTest::newRow("second slash overwrites faces")
        << "3d6/4/5" << QList<float>{highest} << " 12" << 5;
    // d10 with 0.1 gives 2 and d100 with 0.5 gives 51; the other order gives 6 + 11.
    QTest::newRow("draws left to right") << "1d10+1d100" << QList<float>{0.1f, 0.5f} << " 53" << 2;
    QTest::newRow("largest dice term")
        << "1000d1000" << QList<float>{highest} << " 1000000" << 1000;
    QTest::newRow("keep-best sum beyond int16")
        << "100d1000/100" << QList<float>{highest} << " 100000" << 100;
    QTest::newRow("total beyond int32")
        << repeated("1000d1000+", 2200) << QList<float>{highest} << " 2200000000" << 2'200'000;
    QTest::newRow("formula past int16 positions")
        << repeated("1+", 40'000) << QList<float>{} << " 40000" << 0;
}

void TestEvaluator::totals() {
    QFETCH(QString, formula);
    QFETCH(QList<float>, draws);
    QFETCH(QString, shown);
    QFETCH(int, expectedDraws);

    const Run run = evaluate(formula, draws);
    QCOMPARE(run.texts, QStringList{shown});
    QCOMPARE(run.fades, 1);
    QCOMPARE(run.draws, std::size_t(expectedDraws));
}

void TestEvaluator::errors_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("expectedDraws");

    QTest::newRow("empty") << ""
                           << "?" << 0;
    QTest::newRow("spaces only") << "   "
                                 << "?" << 0;
    QTest::newRow("number above 1000") << "1001"
                                       << "???" << 0;
    QTest::newRow("letter") << "2x6"
                            << "??? : x" << 0;
    QTest::newRow("letter lower-cased") << "2X6"
                                        << "??? : x" << 0;
    QTest::newRow("inner space") << "2d6 + 3"
                                 << "??? :  " << 2;
    QTest::newRow("last error wins") << "2000x"
                                     << "??? : x" << 0;
    QTest::newRow("prompt text") << "entrez votre jet ici..."
                                 << "??? : ." << 0;
    QTest::newRow("accented capital") << u"2d6+\u00C9"_s << u"??? : \u00E9"_s << 2;
    QTest::newRow("emoji whole") << u"1+\U0001F3B2"_s << u"??? : \U0001F3B2"_s << 0;
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD800)) << QString("??? : ") + QChar(0xD800) << 0;
    // Lower-cased one code point at a time, whatever comes before a lone surrogate.
    QTest::newRow("lone surrogate after a capital")
        << u"D"_s + QChar(0xDFFF) << u"??? : "_s + QChar(0xDFFF) << 1;
    QTest::newRow("lone high surrogate after a capital")
        << u"X"_s + QChar(0xD800) + u"1"_s << u"??? : "_s + QChar(0xD800) << 0;
    QTest::newRow("capital pair lower-cased whole")
        << u"\U00010400"_s << u"??? : \U00010428"_s << 0;
    QTest::newRow("capital with a longer lower case") << u"\u0130"_s << u"??? : \u0307"_s << 0;
    QTest::newRow("tab not trimmed") << "\t2"
                                     << "??? : \t" << 0;
    QTest::newRow("no-break space not trimmed") << u"2\u00A0"_s << u"??? : \u00A0"_s << 0;
    QTest::newRow("fullwidth digit") << u"\uFF11"_s << u"??? : \uFF11"_s << 0;
    QTest::newRow("arabic-indic digit") << u"\u0663"_s << u"??? : \u0663"_s << 0;
    QTest::newRow("terms still thrown after error") << "2d6x+3d4"
                                                    << "??? : x" << 5;
    QTest::newRow("count past limit not thrown") << "1001d6+2d6"
                                                 << "???" << 2;
    QTest::newRow("faces past limit not thrown") << "d1001+d6"
                                                 << "???" << 1;
    QTest::newRow("rolls past limit not thrown") << "3d6/1001+d6"
                                                 << "???" << 1;
    // What a term throws is decided by its numbers as they stand at its "+".
    QTest::newRow("count past limit, then replaced") << "5000d3d6+d6"
                                                     << "???" << 4;
    QTest::newRow("faces past limit, then replaced") << "3d5000/6/4+d6"
                                                     << "???" << 5;
    QTest::newRow("forty digits") << repeated("9", 40) << "???" << 0;
    QTest::newRow("forty-digit count")
        << repeated("9", 40) + "d6/" + repeated("9", 40) << "???" << 0;
    QTest::newRow("megabyte of letters") << repeated("x", 1 << 20) << "??? : x" << 0;
}

void TestEvaluator::errors() {
    QFETCH(QString, formula);
    QFETCH(QString, shown);
    QFETCH(int, expectedDraws);

    const Run run = evaluate(formula);
    QCOMPARE(run.texts, QStringList{shown});
    QCOMPARE(run.fades, 0);
    QCOMPARE(run.draws, std::size_t(expectedDraws));
}

void TestEvaluator::misplaced_slash_writes_nothing_and_starts_no_fade() {
    for (const char* formula : {"5/2", "3+4/2", "/"}) {
        const Run run = evaluate(formula);
        QVERIFY2(run.texts.isEmpty(), formula);
        QCOMPARE(run.fades, 0);
    }
}

void TestEvaluator::nothing_carries_over_between_evaluations() {
    EvaluatorState state;
    ScriptedRandomSource random({highest});
    RecordingSink sink;
    for (const char* formula : {"5/2", "3d6/", "1001d", "x7", "2d6"}) {
        evaluate_formula(state, formula, random, sink);
    }
    QCOMPARE(sink.texts, (QStringList{" 18", "???", "??? : x", " 12"}));
    QCOMPARE(sink.fades, 2);
}

QTEST_APPLESS_MAIN(TestEvaluator)
#include "test_evaluator.moc"

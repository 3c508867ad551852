#include "engine/dice.h"
#include "engine/scripted_random_source.h"

#include <QTest>
#include <cmath>

namespace {
const float highest = std::nextafter(1.0f, 0.0f);
}

class TestDice : public QObject {
    Q_OBJECT

private slots:
    void die_value_data();
    void die_value();
    void sum_data();
    void sum();
    void keep_best_data();
    void keep_best();
};

void TestDice::die_value_data() {
    QTest::addColumn<int>("faces");
    QTest::addColumn<float>("draw");
    QTest::addColumn<int>("thrown");

    QTest::newRow("d6 at 0") << 6 << 0.0f << 1;
    QTest::newRow("d6 at 0.5") << 6 << 0.5f << 4;
    QTest::newRow("d6 just below 1") << 6 << highest << 6;
    QTest::newRow("d6 at 5/6 rounded down") << 6 << 5.0f / 6.0f << 5;
    QTest::newRow("d1000 just below 1") << 1000 << highest << 1000;
    QTest::newRow("largest die just below 1") << 32767 << highest << 32767;
    QTest::newRow("one face") << 1 << highest << 1;
    QTest::newRow("no faces") << 0 << highest << 1;
}

void TestDice::die_value() {
    QFETCH(int, faces);
    QFETCH(float, draw);
    QFETCH(int, thrown);
    QCOMPARE(::die_value(static_cast<std::int16_t>(faces), draw), thrown);
}

void TestDice::sum_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("sum");

    // d1000 throws 1, 1000, 501 over and over; counts around the 256-die chunk
    // show a chunk boundary neither loses nor repeats a draw.
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("255") << 255 << 85 * 1502;
    QTest::newRow("256") << 256 << 85 * 1502 + 1;
    QTest::newRow("257") << 257 << 85 * 1502 + 1001;
    QTest::newRow("1000") << 1000 << 333 * 1502 + 1;
}

void TestDice::sum() {
    QFETCH(int, count);
    QFETCH(int, sum);

    ScriptedRandomSource random({0.0f, highest, 0.5f});
    QCOMPARE(roll_sum(static_cast<std::int16_t>(count), 1000, random), sum);
    QCOMPARE(random.draws(), std::size_t(count));
}

void TestDice::keep_best_data() {
    QTest::addColumn<int>("keep");
    QTest::addColumn<int>("faces");
    QTest::addColumn<int>("rolls");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<int>("sum");

    // Throws 1, 6, 4, 2, 6, 3.
    const QList<float> draws{0.0f, highest, 0.5f, 0.2f, highest, 0.4f};
    QTest::newRow("best of all six") << 1 << 6 << 6 << draws << 6;
    QTest::newRow("ties both kept") << 2 << 6 << 6 << draws << 12;
    QTest::newRow("best half") << 3 << 6 << 6 << draws << 16;
    QTest::newRow("all but the lowest") << 5 << 6 << 6 << draws << 21;
    QTest::newRow("all kept") << 6 << 6 << 6 << draws << 22;
    QTest::newRow("no faces") << 1 << 0 << 1 << draws << 1;
    QTest::newRow("best four, the dropped two from the bottom") << 4 << 6 << 6 << draws << 19;
    QTest::newRow("a tie split at the bottom")
        << 3 << 6 << 4 << QList<float>{0.0f, 0.0f, 0.0f, highest} << 8;
    // 1000 d6 throw 334 ones, 333 fours and 333 sixes: more of one value than a byte counts.
    const QList<float> low_mid_high{0.0f, 0.5f, highest};
    QTest::newRow("best half of many d6") << 500 << 6 << 1000 << low_mid_high << 333 * 6 + 167 * 4;
    QTest::newRow("most of many d6") << 700 << 6 << 1000 << low_mid_high << 333 * 6 + 333 * 4 + 34;
    QTest::newRow("best 999 of 1000")
        << 999 << 1000 << 1000 << (QList<float>(999, highest) << 0.0f) << 999'000;
}

void TestDice::keep_best() {
    QFETCH(int, keep);
    QFETCH(int, faces);
    QFETCH(int, rolls);
    QFETCH(QList<float>, draws);
    QFETCH(int, sum);

    ScriptedRandomSource random({draws.begin(), draws.end()});
    QCOMPARE(roll_keep_best(static_cast<std::int16_t>(keep), static_cast<std::int16_t>(faces),
                            static_cast<std::int16_t>(rolls), random),
             sum);
    QCOMPARE(random.draws(), std::size_t(rolls));
}

QTEST_APPLESS_MAIN(TestDice)
#include "test_dice.moc"

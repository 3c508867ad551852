#include "engine/random_source.h"

#include <QTest>
#include <vector>

class TestRandomSource : public QObject {
    Q_OBJECT

private slots:
    void gives_the_reference_outputs();
    void draw_many_continues_the_draws_data();
    void draw_many_continues_the_draws();
};

// The published outputs of the PCG32 reference demo (seed 42, stream 54); a
// draw keeps the top 24 bits of each.
void TestRandomSource::gives_the_reference_outputs() {
    DefaultRandomSource random;
    random.seed(42, 54);
    for (const std::uint32_t output :
         {0xa15c02b7u, 0x7b47f409u, 0xba1d3330u, 0x83d2f293u, 0xbfa4784bu, 0xcbed606eu}) {
        QCOMPARE(random.draw(), static_cast<float>(output >> 8) * 0x1p-24f);
    }
}

void TestRandomSource::draw_many_continues_the_draws_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("batch");

    QTest::newRow("empty batch") << 3 << 0;
    QTest::newRow("one value") << 0 << 1;
    QTest::newRow("after single draws") << 5 << 7;
    QTest::newRow("a thousand") << 1 << 1000;
}

// A batch must give the values single draws would have given, in their
// order, and leave the generator where those draws would have left it.
void TestRandomSource::draw_many_continues_the_draws() {
    QFETCH(int, before);
    QFETCH(int, batch);

    DefaultRandomSource one_by_one;
    DefaultRandomSource batched;
    one_by_one.seed(99);
    batched.seed(99);
    for (int i = 0; i < before; ++i) {
        QCOMPARE(batched.draw(), one_by_one.draw());
    }
    std::vector<float> values(static_cast<std::size_t>(batch));
    batched.draw_many(values);
    for (const float value : values) {
        QCOMPARE(value, one_by_one.draw());
    }
    QCOMPARE(batched.draw(), one_by_one.draw());
}

QTEST_APPLESS_MAIN(TestRandomSource)
#include "test_random_source.moc"

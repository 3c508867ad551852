#include "engine/random_source.h"

#include <QTest>
#include <vector>

class TestRandomSource : public QObject {
    Q_OBJECT

private slots:
    void draw_many_continues_the_draws_data();
    void draw_many_continues_the_draws();
};

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

#include "engine/dice.h"
#include "engine/random_source.h"

#include <QTest>
#include <array>
#include <vector>

namespace {

constexpr std::uint64_t fixed_seed = 20261208;

// Pearson's chi-square of observed counts against expected ones.
double chi_square(const std::vector<double>& observed, const std::vector<double>& expected) {
    double sum = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        const double gap = observed[i] - expected[i];
        sum += gap * gap / expected[i];
    }
    return sum;
}

// The exact distribution of the best three of four d6, over all 1296 throws.
std::vector<double> best_three_of_four_odds() {
    std::vector<double> odds(19, 0.0);
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b)
            for (int c = 1; c <= 6; ++c)
                for (int d = 1; d <= 6; ++d)
                    odds[a + b + c + d - std::min({a, b, c, d})] += 1.0 / 1296;
    return odds;
}

} // namespace

class TestRandomness : public QObject {
    Q_OBJECT

private slots:
    void every_face_has_its_share_of_all_draws();
    void draws_stay_below_one();
    void faces_are_uniform_data();
    void faces_are_uniform();
    void best_three_of_four_matches_exact_odds();
};

// The generator's draws are k / 2^24 for k from 0 to 2^24 - 1, each as likely.
// A die of F faces shows v for the k with (v - 1) * 2^24 <= F * k < v * 2^24:
// counted exactly by integer division, with die_value itself checked at both
// ends of every face's range.
void TestRandomness::every_face_has_its_share_of_all_draws() {
    constexpr std::int64_t all_draws = std::int64_t{1} << 24;
    const auto draw = [](std::int64_t k) { return static_cast<float>(k) * 0x1p-24f; };
    for (std::int64_t faces = 1; faces <= 1000; ++faces) {
        const auto first_draw_of = [faces](std::int64_t face) {
            return ((face - 1) * all_draws + faces - 1) / faces;
        };
        std::int64_t fewest = all_draws;
        std::int64_t most = 0;
        for (std::int64_t face = 1; face <= faces; ++face) {
            const std::int64_t first = first_draw_of(face);
            const std::int64_t end = first_draw_of(face + 1);
            const auto die = static_cast<std::int16_t>(faces);
            if (die_value(die, draw(first)) != face || die_value(die, draw(end - 1)) != face) {
                QFAIL(qPrintable(QString("d%1: face %2 is not k from %3 to %4")
                                     .arg(faces)
                                     .arg(face)
                                     .arg(first)
                                     .arg(end - 1)));
            }
            fewest = std::min(fewest, end - first);
            most = std::max(most, end - first);
        }
        QVERIFY2(most - fewest <= 1, qPrintable(QString("d%1 is not fair").arg(faces)));
    }
}

void TestRandomness::draws_stay_below_one() {
    DefaultRandomSource random;
    random.seed(fixed_seed);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 5'000'000; ++i) {
        const float r = random.draw();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest >= 0.0f && lowest < 1e-5f);
    QVERIFY(highest < 1.0f && highest > 1.0f - 1e-5f);
}

void TestRandomness::faces_are_uniform_data() {
    QTest::addColumn<int>("faces");
    QTest::addColumn<double>("limit"); // chi-square exceeded with probability about 1e-4
    QTest::newRow("d6") << 6 << 25.7;
    QTest::newRow("d1000") << 1000 << 1180.0;
}

void TestRandomness::faces_are_uniform() {
    QFETCH(int, faces);
    QFETCH(double, limit);

    DefaultRandomSource random;
    random.seed(fixed_seed);
    const int per_face = 1000;
    std::vector<double> counts(faces, 0.0);
    for (int i = 0; i < faces * per_face; ++i) {
        const int thrown = die_value(static_cast<std::int16_t>(faces), random.draw());
        QVERIFY(thrown >= 1 && thrown <= faces);
        counts[thrown - 1] += 1;
    }
    QVERIFY2(chi_square(counts, std::vector<double>(faces, per_face)) < limit,
             "faces are not uniform");
}

void TestRandomness::best_three_of_four_matches_exact_odds() {
    const std::vector<double> odds = best_three_of_four_odds();
    double exact_mean = 0;
    for (int sum = 3; sum <= 18; ++sum) {
        exact_mean += sum * odds[sum];
    }
    QCOMPARE(std::round(exact_mean * 1e4) / 1e4, 12.2446);

    DefaultRandomSource random;
    random.seed(fixed_seed);
    const int samples = 200'000;
    std::vector<double> counts(19, 0.0);
    double total = 0;
    for (int i = 0; i < samples; ++i) {
        const int sum = roll_keep_best(3, 6, 4, random);
        QVERIFY(sum >= 3 && sum <= 18);
        counts[sum] += 1;
        total += sum;
    }
    std::vector<double> observed(counts.begin() + 3, counts.end());
    std::vector<double> expected;
    for (int sum = 3; sum <= 18; ++sum) {
        expected.push_back(odds[sum] * samples);
    }
    QVERIFY2(chi_square(observed, expected) < 44.3, "sums do not follow the exact odds"); // 15 dof
    QVERIFY(std::abs(total / samples - exact_mean) < 0.03);
}

QTEST_APPLESS_MAIN(TestRandomness)
#include "test_randomness.moc"

#include "ui/roll_detail_text.h"

#include <QTest>

Q_DECLARE_METATYPE(RollDetail)
Q_DECLARE_METATYPE(FormulaOdds)

namespace {

// A term of dice as listed; a negative value is a die the term dropped.
TermDetail term(TermDetail::Kind kind, int kept, int faces, int thrown, std::vector<int> values,
                std::int64_t sum) {
    TermDetail t{kind, sum, std::int16_t(faces), std::int16_t(kept), std::int16_t(thrown), {}};
    for (const int v : values) {
        t.dice.push_back({std::int16_t(std::abs(v)), v < 0});
    }
    return t;
}

RollDetail error(FormulaError kind, char32_t c = 0, bool slash = false) {
    return {{}, 0, kind, c, slash};
}

const QString thin = "\u202f"; // French groups digits with it

} // namespace

class TestRollDetailText : public QObject {
    Q_OBJECT

private slots:
    void detail_data();
    void detail();
    void shown();
};

void TestRollDetailText::detail_data() {
    QTest::addColumn<RollDetail>("detail");
    QTest::addColumn<FormulaOdds>("odds");
    QTest::addColumn<QString>("text");

    constexpr auto best = TermDetail::Kind::keep_best;
    QTest::newRow("3d6/4+2d8+5")
        << RollDetail{{term(best, 3, 6, 4, {5, 3, -1, 6}, 14),
                       term(TermDetail::Kind::dice, 2, 8, 2, {7, 2}, 9),
                       term(TermDetail::Kind::number, 0, 0, 0, {}, 5)}}
        << FormulaOdds{10, 39, 25.7446}
        << "3d6/4 : 5, 3, 1 (écarté), 6 = 14\n2d8 : 7, 2 = 9\n5\nmin 10, max 39, moyenne 25,74";
    std::vector<int> listed(20, -1);
    listed[0] = 6;
    QTest::newRow("dice and terms beyond those listed, no mean")
        << RollDetail{{term(best, 1, 6, 1000, listed, 6)}, 4000}
        << FormulaOdds{4, 1000000, std::nullopt}
        << "1d6/1000 : 6, " + QStringList(19, "1 (écarté)").join(", ") +
               ", et 980 autres dés = 6\n" + "et 4" + thin + "000 autres termes\nmin 4, max 1" +
               thin + "000" + thin + "000, moyenne exacte trop longue à calculer";

    // An error has no dice and no odds: its words only.
    const FormulaOdds none;
    QTest::newRow("empty") << error(FormulaError::empty) << none << "formule vide";
    QTest::newRow("too big") << error(FormulaError::too_big) << none << "nombre supérieur à 1000";
    QTest::newRow("space") << error(FormulaError::bad_char, U' ') << none
                           << "caractère espace (U+0020) non permis";
    QTest::newRow("zero-width space")
        << error(FormulaError::bad_char, U'\u200b') << none << "caractère U+200B non permis";
    QTest::newRow("letter and slash") << error(FormulaError::bad_char, U'x', true) << none
                                      << "caractère « x » non permis ; « / » hors d'un jet de dés";
}

void TestRollDetailText::detail() {
    QFETCH(RollDetail, detail);
    QFETCH(FormulaOdds, odds);
    QFETCH(QString, text);
    QCOMPARE(detail_text(detail, odds), text);
}

void TestRollDetailText::shown() {
    // A message keeps the space it is about.
    QCOMPARE(shown_result(error(FormulaError::bad_char, U' '), "??? :  "), "??? :  ");
    // A misplaced "/" alone leaves the box, which still shows the total before.
    QCOMPARE(shown_result(error(FormulaError::none, 0, true), " 5"), "résultat inchangé");
}

QTEST_GUILESS_MAIN(TestRollDetailText)
#include "test_roll_detail_text.moc"

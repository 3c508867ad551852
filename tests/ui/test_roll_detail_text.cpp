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

RollDetail message(FormulaError kind, char32_t c = 0, bool slash = false) {
    return {{}, 0, kind, c, slash, RollOutcome::message};
}

const QString thin = "\u202f"; // French groups digits with it

} // namespace

class TestRollDetailText : public QObject {
    Q_OBJECT

private slots:
    void words_data();
    void words();
};

void TestRollDetailText::words_data() {
    QTest::addColumn<RollDetail>("detail");
    QTest::addColumn<FormulaOdds>("odds");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<QString>("shown");

    constexpr auto best = TermDetail::Kind::keep_best;
    QTest::newRow("3d6/4+2d8+5")
        << RollDetail{{term(best, 3, 6, 4, {5, 3, -1, 6}, 14),
                       term(TermDetail::Kind::dice, 2, 8, 2, {7, 2}, 9),
                       term(TermDetail::Kind::number, 0, 0, 0, {}, 5)}}
        << FormulaOdds{10, 39, 25.7446} << " 28"
        << "3d6/4 : 5, 3, 1 (écarté), 6 = 14\n2d8 : 7, 2 = 9\n5\nmin 10, max 39, moyenne 25,74"
        << " 28"
        << "28";
    std::vector<int> listed(20, -1);
    listed[0] = 6;
    QTest::newRow("dice and terms beyond those listed, no mean")
        << RollDetail{{term(best, 1, 6, 1000, listed, 6)}, 4000}
        << FormulaOdds{4, 1000000, std::nullopt} << " 4006"
        << "1d6/1000 : 6, " + QStringList(19, "1 (écarté)").join(", ") +
               ", et 980 autres dés = 6\n" + "et 4" + thin + "000 autres termes\nmin 4, max 1" +
               thin + "000" + thin + "000, moyenne exacte trop longue à calculer"
        << " 4006"
        << "4006";

    // An error has no dice and no odds: its words only, said after the box's text.
    const FormulaOdds none;
    QTest::newRow("empty") << message(FormulaError::empty) << none << "?"
                           << "formule vide"
                           << "?, formule vide"
                           << "?";
    QTest::newRow("too big") << message(FormulaError::too_big) << none << "???"
                             << "nombre supérieur à 1000"
                             << "???, nombre supérieur à 1000"
                             << "???";
    // A message keeps the space it is about.
    QTest::newRow("space") << message(FormulaError::bad_char, U' ') << none << "??? :  "
                           << "caractère espace (U+0020) non permis"
                           << "??? :  , caractère espace (U+0020) non permis"
                           << "??? :  ";
    QTest::newRow("zero-width space")
        << message(FormulaError::bad_char, U'\u200b') << none << "??? : \u200b"
        << "caractère U+200B non permis"
        << "??? : \u200b, caractère U+200B non permis"
        << "??? : \u200b";
    QTest::newRow("letter and slash")
        << message(FormulaError::bad_char, U'x', true) << none << "??? : x"
        << "caractère « x » non permis ; « / » hors d'un jet de dés"
        << "??? : x, caractère « x » non permis ; « / » hors d'un jet de dés"
        << "??? : x";
    // A misplaced "/" alone leaves the box, which still shows the total before.
    QTest::newRow("misplaced slash alone")
        << RollDetail{{}, 0, FormulaError::none, 0, true, RollOutcome::unchanged} << none << " 5"
        << "« / » hors d'un jet de dés"
        << "« / » hors d'un jet de dés : résultat inchangé"
        << "résultat inchangé";
}

void TestRollDetailText::words() {
    QFETCH(RollDetail, detail);
    QFETCH(FormulaOdds, odds);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, spoken);
    QFETCH(QString, shown);
    const RollWords words = roll_words(detail, odds, box);
    QCOMPARE(words.detail, text);
    QCOMPARE(words.spoken, spoken);
    QCOMPARE(words.shown, shown);
}

QTEST_GUILESS_MAIN(TestRollDetailText)
#include "test_roll_detail_text.moc"

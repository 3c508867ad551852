#include "ui/roll_detail_text.h"

#include <QTest>

Q_DECLARE_METATYPE(RollDetail)
Q_DECLARE_METATYPE(FormulaOdds)

namespace {

TermDetail number(std::int64_t value) {
    return {TermDetail::Kind::number, value, 0, 0, 0, {}};
}

// Dice as listed; a negative value is a die the keep-best term dropped.
TermDetail dice(TermDetail::Kind kind, std::int16_t kept, std::int16_t faces, std::int16_t thrown,
                std::vector<int> values) {
    TermDetail term{kind, 0, faces, kept, thrown, {}};
    for (const int v : values) {
        term.dice.push_back({std::int16_t(std::abs(v)), v < 0});
        term.sum += v > 0 ? v : 0;
    }
    return term;
}

RollDetail terms(std::vector<TermDetail> list, std::int64_t not_listed = 0) {
    RollDetail detail;
    detail.terms = std::move(list);
    detail.terms_not_listed = not_listed;
    return detail;
}

RollDetail error(FormulaError kind, char32_t c = 0, bool slash = false) {
    RollDetail detail;
    detail.error = kind;
    detail.bad_char = c;
    detail.misplaced_slash = slash;
    return detail;
}

constexpr auto plain = TermDetail::Kind::dice;
constexpr auto best = TermDetail::Kind::keep_best;
const QString thin = QStringLiteral("\u202f"); // French groups digits with it

} // namespace

class TestRollDetailText : public QObject {
    Q_OBJECT

private slots:
    void detail_data();
    void detail();
    void shown_and_spoken_data();
    void shown_and_spoken();
};

void TestRollDetailText::detail_data() {
    QTest::addColumn<RollDetail>("detail");
    QTest::addColumn<FormulaOdds>("odds");
    QTest::addColumn<QString>("text");

    QTest::newRow("3d6/4+2d8+1")
        << terms({dice(best, 3, 6, 4, {5, 3, -1, 6}), dice(plain, 2, 8, 2, {7, 2}), number(1)})
        << FormulaOdds{6, 35, 21.7446}
        << "3d6/4 : 5, 3, 1 (écarté), 6 = 14\n2d8 : 7, 2 = 9\n1\nmin 6, max 35, moyenne 21,74";
    QTest::newRow("one die, no sum") << terms({dice(plain, 1, 6, 1, {4})}) << FormulaOdds{1, 6, 3.5}
                                     << "1d6 : 4\nmin 1, max 6, moyenne 3,50";
    QTest::newRow("dice without faces")
        << terms({dice(plain, 2, 0, 2, {1, 1})}) << FormulaOdds{2, 2, 2.0}
        << "2d : 1, 1 = 2\nmin 2, max 2, moyenne 2,00";
    QTest::newRow("only empty terms")
        << terms({}) << FormulaOdds{0, 0, 0.0} << "min 0, max 0, moyenne 0,00";

    std::vector<int> twenty(20, 1000);
    TermDetail long_term = dice(plain, 1000, 1000, 1000, twenty);
    long_term.sum = 512345;
    QString listed;
    for (int i = 0; i < 20; ++i) {
        listed += "1000, ";
    }
    QTest::newRow("dice beyond those listed")
        << terms({long_term}) << FormulaOdds{1000, 1000000, 500500.0}
        << "1000d1000 : " + listed + "et 980 autres dés = 512" + thin + "345\nmin 1" + thin +
               "000, max 1" + thin + "000" + thin + "000, moyenne 500" + thin + "500,00";
    std::vector<int> best_first(19, -1);
    best_first.insert(best_first.begin(), 6);
    QTest::newRow("one die beyond, terms beyond, no mean")
        << terms({dice(best, 1, 6, 21, best_first), number(1000)}, 4000)
        << FormulaOdds{4, 5000, std::nullopt}
        << "1d6/21 : 6, " + QStringList(19, "1 (écarté)").join(", ") + ", et 1 autre dé = 6\n1" +
               thin + "000\net 4" + thin + "000 autres termes\nmin 4, max 5" + thin +
               "000, moyenne exacte trop longue à calculer";
    QTest::newRow("one term beyond") << terms({number(2)}, 1) << FormulaOdds{3, 3, 3.0}
                                     << "2\net 1 autre terme\nmin 3, max 3, moyenne 3,00";

    // Errors have no dice and no odds: their words only.
    const FormulaOdds none;
    QTest::newRow("empty") << error(FormulaError::empty) << none << "formule vide";
    QTest::newRow("too big") << error(FormulaError::too_big) << none << "nombre supérieur à 1000";
    QTest::newRow("letter") << error(FormulaError::bad_char, U'x') << none
                            << "caractère « x » non permis";
    QTest::newRow("emoji") << error(FormulaError::bad_char, U'\U0001F3B2') << none
                           << "caractère « \U0001F3B2 » non permis";
    QTest::newRow("space") << error(FormulaError::bad_char, U' ') << none
                           << "caractère espace (U+0020) non permis";
    QTest::newRow("tab") << error(FormulaError::bad_char, U'\t') << none
                         << "caractère tabulation (U+0009) non permis";
    QTest::newRow("no-break space") << error(FormulaError::bad_char, U'\u00a0') << none
                                    << "caractère espace insécable (U+00A0) non permis";
    QTest::newRow("zero-width space")
        << error(FormulaError::bad_char, U'\u200b') << none << "caractère U+200B non permis";
    QTest::newRow("combining accent")
        << error(FormulaError::bad_char, U'\u0301') << none << "caractère U+0301 non permis";
    QTest::newRow("lone surrogate")
        << error(FormulaError::bad_char, char32_t(0xd800)) << none << "caractère U+D800 non permis";
    QTest::newRow("misplaced slash")
        << error(FormulaError::none, 0, true) << none << "« / » hors d'un jet de dés";
    QTest::newRow("letter and slash") << error(FormulaError::bad_char, U'x', true) << none
                                      << "caractère « x » non permis ; « / » hors d'un jet de dés";
}

void TestRollDetailText::detail() {
    QFETCH(RollDetail, detail);
    QFETCH(FormulaOdds, odds);
    QFETCH(QString, text);
    QCOMPARE(detail_text(detail, odds), text);
}

void TestRollDetailText::shown_and_spoken_data() {
    QTest::addColumn<RollDetail>("detail");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("total") << terms({number(8)}) << " 8"
                           << "8"
                           << " 8";
    QTest::newRow("letter") << error(FormulaError::bad_char, U'x') << "??? : x"
                            << "??? : x"
                            << "??? : x, caractère « x » non permis";
    QTest::newRow("space, kept in what was shown")
        << error(FormulaError::bad_char, U' ') << "??? :  "
        << "??? :  "
        << "??? :  , caractère espace (U+0020) non permis";
    QTest::newRow("empty") << error(FormulaError::empty) << "?"
                           << "?"
                           << "?, formule vide";
    QTest::newRow("misplaced slash, box unchanged")
        << error(FormulaError::none, 0, true) << " 8"
        << "résultat inchangé"
        << "« / » hors d'un jet de dés : résultat inchangé";
}

void TestRollDetailText::shown_and_spoken() {
    QFETCH(RollDetail, detail);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QString, spoken);
    QCOMPARE(shown_result(detail, box), shown);
    QCOMPARE(spoken_result(detail, box), spoken);
}

QTEST_GUILESS_MAIN(TestRollDetailText)
#include "test_roll_detail_text.moc"

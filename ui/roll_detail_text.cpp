#include "roll_detail_text.h"

#include "french_number.h"

#include <QStringList>

namespace {

// A character that draws nothing, or draws onto its neighbour, would leave
// the quotes empty or odd: it is named, or given by its code point.
QString bad_char_words(char32_t c) {
    const QChar::Category category = QChar::category(c);
    const bool draws_alone =
        QChar::isPrint(c) && !QChar::isSpace(c) && category != QChar::Mark_NonSpacing &&
        category != QChar::Mark_SpacingCombining && category != QChar::Mark_Enclosing;
    if (draws_alone) {
        return QStringLiteral("caractère « %1 » non permis").arg(QString::fromUcs4(&c, 1));
    }
    const QString code =
        QStringLiteral("U+%1").arg(QString::number(std::uint32_t(c), 16).toUpper(), 4, u'0');
    QString name;
    switch (c) {
    case U' ':
        name = QStringLiteral("espace");
        break;
    case U'\t':
        name = QStringLiteral("tabulation");
        break;
    case U'\u00a0':
        name = QStringLiteral("espace insécable");
        break;
    default:
        return QStringLiteral("caractère %1 non permis").arg(code);
    }
    return QStringLiteral("caractère %1 (%2) non permis").arg(name, code);
}

QString error_words(const RollDetail& detail) {
    QStringList words;
    switch (detail.error) {
    case FormulaError::none:
        break;
    case FormulaError::empty:
        words << QStringLiteral("formule vide");
        break;
    case FormulaError::too_big:
        words << QStringLiteral("nombre supérieur à 1000");
        break;
    case FormulaError::bad_char:
        words << bad_char_words(detail.bad_char);
        break;
    }
    if (detail.misplaced_slash) {
        words << QStringLiteral("« / » hors d'un jet de dés");
    }
    return words.join(QStringLiteral(" ; "));
}

QString others(std::int64_t count, const QString& one, const QString& many) {
    return count == 1 ? one : many.arg(french_number(count));
}

// "3d6/4 : 5, 3, 1 (écarté), 6 = 14": the dice as thrown, then their sum.
QString term_line(const TermDetail& term) {
    if (term.kind == TermDetail::Kind::number) {
        return french_number(term.sum);
    }
    const QString faces = term.faces == 0 ? QString() : QString::number(term.faces);
    QString line = QString::number(term.kept) + u'd' + faces;
    if (term.kind == TermDetail::Kind::keep_best) {
        line += u'/' + QString::number(term.thrown);
    }
    QStringList dice;
    for (const DieDetail& die : term.dice) {
        dice << (die.dropped ? QStringLiteral("%1 (écarté)").arg(die.value)
                             : QString::number(die.value));
    }
    const std::int64_t not_listed = std::int64_t(term.thrown) - std::int64_t(term.dice.size());
    if (not_listed > 0) {
        dice << others(not_listed, QStringLiteral("et 1 autre dé"),
                       QStringLiteral("et %1 autres dés"));
    }
    line += QStringLiteral(" : ") + dice.join(QStringLiteral(", "));
    if (term.thrown > 1) {
        line += QStringLiteral(" = ") + french_number(term.sum);
    }
    return line;
}

QString odds_line(const FormulaOdds& odds) {
    const QString mean = odds.mean ? QStringLiteral("moyenne ") + french_mean(*odds.mean)
                                   : QStringLiteral("moyenne exacte trop longue à calculer");
    return QStringLiteral("min %1, max %2, %3")
        .arg(french_number(odds.min), french_number(odds.max), mean);
}

// One line a term, then the range and mean of the formula.
QString dice_and_odds(const RollDetail& detail, const FormulaOdds& odds) {
    QStringList lines;
    for (const TermDetail& term : detail.terms) {
        lines << term_line(term);
    }
    if (detail.terms_not_listed > 0) {
        lines << others(detail.terms_not_listed, QStringLiteral("et 1 autre terme"),
                        QStringLiteral("et %1 autres termes"));
    }
    lines << odds_line(odds);
    return lines.join(u'\n');
}

QString unchanged_words() {
    return QStringLiteral("résultat inchangé");
}

} // namespace

RollWords roll_words(const RollDetail& detail, const FormulaOdds& odds, const QString& box_text) {
    const QString spoken = spoken_words(detail, box_text);
    if (detail.outcome == RollOutcome::total) {
        // The history leaves out the space before a total.
        return {dice_and_odds(detail, odds), spoken, box_text.trimmed()};
    }
    const bool unchanged = detail.outcome == RollOutcome::unchanged;
    return {error_words(detail), spoken, unchanged ? unchanged_words() : box_text};
}

QString spoken_words(const RollDetail& detail, const QString& box_text) {
    if (detail.outcome == RollOutcome::total) {
        return box_text;
    }
    const QString wrong = error_words(detail);
    if (detail.outcome == RollOutcome::unchanged) {
        return wrong + QStringLiteral(" : ") + unchanged_words();
    }
    // A message keeps the space it may end in, the character it is about.
    return box_text + QStringLiteral(", ") + wrong;
}

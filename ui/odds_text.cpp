#include "odds_text.h"

#include "engine/evaluator.h"
#include "french_number.h"
#include "probability_text.h"
#include "roll_detail_text.h"

#include <QStringList>
#include <vector>

namespace {

QString likeliest_text(const TotalOdds& odds) {
    const std::vector<std::int64_t>& likeliest = odds.likeliest();
    const QString chance = probability_text(odds.chance(likeliest[0], likeliest[0]));
    if (likeliest.size() == 1) {
        return QStringLiteral("le plus probable %1 (%2)").arg(french_number(likeliest[0]), chance);
    }
    QString totals;
    if (likeliest.size() > 2 &&
        likeliest.back() - likeliest.front() + 1 == qsizetype(likeliest.size())) {
        totals = totals_text(likeliest.front(), likeliest.back());
    } else {
        QStringList each;
        for (std::size_t i = 0; i + 1 < likeliest.size(); ++i) {
            each << french_number(likeliest[i]);
        }
        totals = each.join(QStringLiteral(", ")) + QStringLiteral(" et ") +
                 french_number(likeliest.back());
    }
    return QStringLiteral("les plus probables %1 (%2 chacun)").arg(totals, chance);
}

RollDetail as_detail(const FormulaDistribution& result) {
    RollDetail detail;
    detail.error = result.error;
    detail.bad_char = result.bad_char;
    detail.misplaced_slash = result.misplaced_slash;
    detail.outcome =
        result.error == FormulaError::none ? RollOutcome::unchanged : RollOutcome::message;
    return detail;
}

QString over_budget_text() {
    const DistributionBudget budget;
    return QStringLiteral("Distribution exacte hors de portée : elle demanderait plus de %1 Mo "
                          "de mémoire ou de %2 s de calcul.")
        .arg(budget.bytes >> 20)
        .arg(budget.time.count() / 1000);
}

} // namespace

QString totals_text(std::int64_t first, std::int64_t last) {
    return first == last ? french_number(first)
                         : QStringLiteral("%1 à %2").arg(french_number(first), french_number(last));
}

QString summary_text(const TotalOdds& odds) {
    const Distribution& d = odds.distribution();
    return QStringLiteral("min %1, max %2, moyenne %3, médiane %4, %5")
        .arg(french_number(odds.least_total()), french_number(odds.greatest_total()),
             french_mean(d.mean()), french_number(d.median()), likeliest_text(odds));
}

QString bar_text(std::int64_t first, std::int64_t last, const TotalOdds& main,
                 const TotalOdds* compared, const QString& link) {
    const auto with_compared = [compared](double main_chance, double compared_chance) {
        const QString text = probability_text(main_chance);
        return compared ? text + QStringLiteral(" (B : %1)").arg(probability_text(compared_chance))
                        : text;
    };
    const double compared_equal = compared ? compared->chance(first, last) : 0;
    return totals_text(first, last) + QStringLiteral(" : ") +
           with_compared(main.chance(first, last), compared_equal) + link +
           at_least_text(first, main, compared);
}

QString at_least_text(std::int64_t target, const TotalOdds& main, const TotalOdds* compared) {
    QString text = QStringLiteral("au moins %1 : %2")
                       .arg(french_number(target), probability_text(main.at_least(target)));
    if (compared) {
        text += QStringLiteral(" (B : %1)").arg(probability_text(compared->at_least(target)));
    }
    return text;
}

QString comparison_text(const Comparison& c) {
    return QStringLiteral("P(A > B) = %1 · P(A = B) = %2 · P(A < B) = %3")
        .arg(probability_text(c.greater), probability_text(c.equal), probability_text(c.less));
}

QString spoken_comparison(const Comparison& c) {
    return QStringLiteral("A plus grand que B : %1, A égal à B : %2, A plus petit que B : %3")
        .arg(probability_text(c.greater), probability_text(c.equal), probability_text(c.less));
}

QString lucky_text(std::int64_t total, const TotalOdds& odds) {
    return QStringLiteral("%1 : atteint ou dépassé dans %2 des jets")
        .arg(french_number(total), probability_text(odds.at_least(total)));
}

QString no_distribution_text(const FormulaDistribution& result) {
    switch (result.outcome) {
    case FormulaDistribution::Outcome::exact:
        break;
    case FormulaDistribution::Outcome::formula_error:
        return error_message(result.error, result.bad_char);
    case FormulaDistribution::Outcome::over_budget:
        return over_budget_text();
    case FormulaDistribution::Outcome::cancelled:
        return QStringLiteral("Calcul annulé.");
    }
    return QString();
}

QString spoken_no_distribution(const FormulaDistribution& result) {
    if (result.outcome != FormulaDistribution::Outcome::formula_error) {
        return no_distribution_text(result);
    }
    return roll_words(as_detail(result), FormulaOdds(),
                      error_message(result.error, result.bad_char))
        .spoken;
}

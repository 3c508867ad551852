#include "probability_text.h"

#include "french_number.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// French sets a narrow no-break space between digit groups and before "%".
constexpr char16_t narrow_space = u'\u202f';

// Beyond this, a chance is written with a power of ten; closer to 1 than
// this, the figures are no longer exact enough to say by how much.
constexpr double smallest_written_out = 1e-9;

// The decimals that show two significant digits of a positive value.
int decimals_for_two_digits(double value) {
    return 1 - static_cast<int>(std::floor(std::log10(value)));
}

// Long runs of decimals are easier to count in groups of three.
QString grouped_decimals(QString number) {
    const qsizetype comma = number.indexOf(u',');
    if (comma < 0 || number.size() - comma - 1 <= 4) {
        return number;
    }
    for (qsizetype at = comma + 4; at < number.size(); at += 4) {
        number.insert(at, narrow_space);
    }
    return number;
}

QString superscript(int exponent) {
    static constexpr char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar digit : QString::number(std::abs(exponent))) {
        text += QChar(digits[digit.unicode() - u'0']);
    }
    return text;
}

QString power_of_ten_text(double percent) {
    int exponent = static_cast<int>(std::floor(std::log10(percent)));
    double mantissa = percent / std::pow(10.0, exponent);
    if (std::round(mantissa * 10) >= 100) { // 9,96 rounds up to the next power
        mantissa /= 10;
        ++exponent;
    }
    return french_locale().toString(mantissa, 'f', 1) + narrow_space + u'×' + narrow_space +
           QStringLiteral("10") + superscript(exponent) + narrow_space + u'%';
}

} // namespace

QString percent_text(double percent, int decimals) {
    return grouped_decimals(french_locale().toString(percent, 'f', decimals)) + narrow_space + u'%';
}

QString probability_text(double probability) {
    if (probability <= 0) {
        return QStringLiteral("0") + narrow_space + u'%';
    }
    if (probability < std::numeric_limits<double>::min()) {
        return QStringLiteral("< ") + power_of_ten_text(100 * std::numeric_limits<double>::min());
    }
    if (probability >= 1) {
        return QStringLiteral("100") + narrow_space + u'%';
    }
    if (1 - probability < smallest_written_out) {
        return QStringLiteral("> ") + percent_text(100 * (1 - smallest_written_out), 7);
    }
    const double percent = 100 * probability;
    if (probability < smallest_written_out) {
        return power_of_ten_text(percent);
    }
    const int decimals =
        std::max({2, decimals_for_two_digits(percent), decimals_for_two_digits(100 - percent)});
    return percent_text(percent, decimals);
}

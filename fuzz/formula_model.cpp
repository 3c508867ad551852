#include "formula_model.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <vector>

namespace {

constexpr int limit = 1000;

struct Group {
    char32_t opened_by = 0; // 'd', '/', or 0 for the term's first group
    int value = 0;          // held at limit + 1 once past the limit
};

struct Term {
    std::vector<Group> groups{Group{}};
    bool has_dice = false;
};

// Replays the values in order, over and over, as ScriptedRandomSource does.
class Draws {
public:
    explicit Draws(std::span<const float> values) : values_(values) {}

    int die(int faces) {
        const float r = values_.empty() ? 0.0f : values_[used_ % values_.size()];
        ++used_;
        return faces == 0 ? 1 : static_cast<int>(std::floor(double(faces) * double(r))) + 1;
    }

    std::size_t used() const { return used_; }

private:
    std::span<const float> values_;
    std::size_t used_ = 0;
};

// The count is read before the last "d"; with a "/" after the first "d" the
// faces are read before the last "/" and the rolls last, otherwise the faces last.
struct Dice {
    int count;
    int faces;
    int rolls; // equal to count without a "/"
};

Dice read_dice(const std::vector<Group>& groups) {
    auto last_opened_by = [&groups](char32_t separator) {
        for (std::size_t i = groups.size(); i-- > 0;) {
            if (groups[i].opened_by == separator) {
                return i;
            }
        }
        return std::size_t{0};
    };
    const std::size_t last_d = last_opened_by(U'd');
    const std::size_t last_slash = last_opened_by(U'/');
    const int count = std::max(groups[last_d - 1].value, 1);
    if (last_slash == 0) {
        return {count, groups.back().value, count};
    }
    return {count, groups[last_slash - 1].value, std::max(groups.back().value, count)};
}

struct Sum {
    std::int64_t total = 0;
    std::int64_t lowest = 0;
    std::int64_t highest = 0;

    void add_term(const Term& term, Draws& draws) {
        if (!term.has_dice) {
            total += term.groups.front().value;
            lowest += term.groups.front().value;
            highest += term.groups.front().value;
            return;
        }
        const Dice dice = read_dice(term.groups);
        if (dice.count > limit || dice.faces > limit || dice.rolls > limit) {
            return;
        }
        std::vector<int> thrown;
        thrown.reserve(static_cast<std::size_t>(dice.rolls));
        for (int i = 0; i < dice.rolls; ++i) {
            thrown.push_back(draws.die(dice.faces));
        }
        std::sort(thrown.begin(), thrown.end(), std::greater<>());
        for (int i = 0; i < dice.count; ++i) {
            total += thrown[static_cast<std::size_t>(i)];
        }
        lowest += dice.count;
        highest += std::int64_t{dice.count} * std::max(dice.faces, 1);
    }
};

bool lone_surrogate(QStringView text, qsizetype at) {
    if (text[at].isHighSurrogate()) {
        return at + 1 == text.size() || !text[at + 1].isLowSurrogate();
    }
    return text[at].isLowSurrogate() && (at == 0 || !text[at - 1].isHighSurrogate());
}

// The pieces between lone surrogates lower-cased whole, the lone surrogates as
// they came.
QString lower_cased(QStringView text) {
    QString lower;
    qsizetype piece = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (lone_surrogate(text, at)) {
            lower += text.sliced(piece, at - piece).toString().toLower() + text[at];
            piece = at + 1;
        }
    }
    return lower + text.sliced(piece).toString().toLower();
}

QStringView trimmed_spaces(QStringView text) {
    const auto not_space = [](QChar c) { return c != u' '; };
    const auto first = std::find_if(text.begin(), text.end(), not_space);
    const auto end = std::find_if(text.rbegin(), std::make_reverse_iterator(first), not_space);
    return QStringView(first, end.base());
}

} // namespace

Expected expect(const QString& input, std::span<const float> values) {
    Expected expected;
    const QString formula = trimmed_spaces(lower_cased(input)).toString() + u'+';
    if (formula.size() == 1) {
        expected.text = QStringLiteral("?");
        return expected;
    }

    Draws draws(values);
    Sum sum;
    Term term;
    bool misplaced_slash = false;
    qsizetype last_past_limit = -1;
    qsizetype last_bad = -1;
    qsizetype bad_length = 0;
    for (qsizetype at = 0; at < formula.size();) {
        // A whole code point, or a lone surrogate on its own.
        const qsizetype length = formula[at].isHighSurrogate() && at + 1 < formula.size() &&
                                         formula[at + 1].isLowSurrogate()
                                     ? 2
                                     : 1;
        const char16_t unit = length == 1 ? formula[at].unicode() : 0;
        if (unit >= u'0' && unit <= u'9') {
            int& value = term.groups.back().value;
            value = std::min(value * 10 + (unit - u'0'), limit + 1);
            if (value > limit) {
                last_past_limit = at;
            }
        } else if (unit == u'd') {
            term.has_dice = true;
            term.groups.push_back({U'd'});
        } else if (unit == u'/' && term.has_dice) {
            term.groups.push_back({U'/'});
        } else if (unit == u'/') {
            misplaced_slash = true; // and its digits go on into the same number
        } else if (unit == u'+') {
            sum.add_term(term, draws);
            term = Term{};
        } else {
            last_bad = at;
            bad_length = length;
        }
        at += length;
    }

    expected.draws = draws.used();
    if (last_bad > last_past_limit) {
        expected.text = QStringLiteral("??? : ") + formula.mid(last_bad, bad_length);
    } else if (last_past_limit >= 0) {
        expected.text = QStringLiteral("???");
    } else if (misplaced_slash) {
        expected.writes = false;
    } else {
        expected.shows_total = true;
        expected.text = u' ' + QString::number(sum.total);
        expected.lowest = sum.lowest;
        expected.highest = sum.highest;
    }
    return expected;
}

#include "evaluator.h"

#include "dice.h"
#include "formula_scan.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

// A space where a minus sign would go, then the digits, in one string.
QString total_text(std::int64_t total) {
    char digits[24] = {' '};
    char* const end = std::to_chars(digits + 1, std::end(digits), total).ptr;
    QString text(end - digits, Qt::Uninitialized);
    std::copy(digits, end, text.begin());
    return text;
}

// Each message replaces the one before and nothing is drawn before the click
// handler returns, so only the last one needs to reach the window.
template <typename Terms>
RollOutcome show_result(const EvaluatorState& state, const FormulaScan<Terms>& scan,
                        ResultSink& sink) {
    if (!state.err_flag) {
        sink.set_result_text(total_text(state.total));
        sink.start_fade();
        return RollOutcome::total;
    }
    if (scan.error() == FormulaError::none) {
        return RollOutcome::unchanged;
    }
    sink.set_result_text(error_message(scan.error(), scan.offending()));
    return RollOutcome::message;
}

// Throws the dice of each term.
class Throw {
public:
    explicit Throw(RandomSource& random) : random_(random) {}

    void number(std::int32_t) {}
    std::int32_t dice(std::int16_t count, std::int16_t faces) {
        return roll_sum(count, faces, random_);
    }
    std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls) {
        return roll_keep_best(keep, faces, rolls, random_);
    }

private:
    RandomSource& random_;
};

// Throws the dice of each term as Throw does, and lists the first terms in a
// detail. The terms and dice of a detail handed in again are reused, so that
// rolling again allocates nothing.
class ThrowAndList {
public:
    ThrowAndList(RandomSource& random, RollDetail& detail) : random_(random), detail_(detail) {}

    void number(std::int32_t value) {
        if (TermDetail* term = next(TermDetail::Kind::number)) {
            term->sum = value;
        }
    }

    std::int32_t dice(std::int16_t count, std::int16_t faces) {
        TermDetail* term = next(TermDetail::Kind::dice);
        if (term == nullptr) {
            return roll_sum(count, faces, random_);
        }
        term->faces = faces;
        term->kept = count;
        term->thrown = count;
        const std::int32_t sum = roll_sum(count, faces, random_, term->dice);
        term->sum = sum;
        return sum;
    }

    std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls) {
        TermDetail* term = next(TermDetail::Kind::keep_best);
        if (term == nullptr) {
            return roll_keep_best(keep, faces, rolls, random_);
        }
        term->faces = faces;
        term->kept = keep;
        term->thrown = rolls;
        const std::int32_t sum = roll_keep_best(keep, faces, rolls, random_, term->dice);
        term->sum = sum;
        return sum;
    }

    // Drops the terms of an earlier detail that this one did not reach.
    void finish() { detail_.terms.resize(listed_); }

private:
    TermDetail* next(TermDetail::Kind kind) {
        if (listed_ == max_terms_listed) {
            ++detail_.terms_not_listed;
            return nullptr;
        }
        if (listed_ == detail_.terms.size()) {
            detail_.terms.emplace_back();
        }
        TermDetail& term = detail_.terms[listed_++];
        term.kind = kind;
        term.sum = 0;
        term.faces = 0;
        term.kept = 0;
        term.thrown = 0;
        term.dice.clear();
        return &term;
    }

    RandomSource& random_;
    RollDetail& detail_;
    std::size_t listed_ = 0;
};

} // namespace

QString error_message(FormulaError error, char32_t bad_char) {
    switch (error) {
    case FormulaError::none:
        break;
    case FormulaError::empty:
        return QStringLiteral("?");
    case FormulaError::too_big:
        return QStringLiteral("???");
    case FormulaError::bad_char:
        // A lone surrogate is shown as it came, not replaced.
        return QStringLiteral("??? : ") + (QChar::requiresSurrogates(bad_char)
                                               ? QString::fromUcs4(&bad_char, 1)
                                               : QString(QChar(static_cast<char16_t>(bad_char))));
    }
    return QString();
}

void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink) {
    Throw terms(random);
    FormulaScan scan(state, terms);
    scan.run(input);
    show_result(state, scan, sink);
}

void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink, RollDetail& detail) {
    detail.terms_not_listed = 0;
    ThrowAndList terms(random, detail);
    FormulaScan scan(state, terms);
    scan.run(input);
    terms.finish();
    detail.error = scan.error();
    detail.bad_char = detail.error == FormulaError::bad_char ? scan.offending() : 0;
    detail.misplaced_slash = scan.misplaced_slash();
    if (state.err_flag) {
        // The window shows no dice for a formula in error.
        detail.terms.clear();
        detail.terms_not_listed = 0;
    }
    detail.outcome = show_result(state, scan, sink);
}

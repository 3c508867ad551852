#pragma once

#include "code_points.h"
#include "evaluator.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <limits>

// Once a number is past max_number the formula is in error and the number's
// exact size no longer matters, so values are held at their field's limit
// instead of wrapping.
inline std::int16_t narrow(std::int32_t value) {
    return static_cast<std::int16_t>(
        std::min<std::int32_t>(value, std::numeric_limits<std::int16_t>::max()));
}

// A term with a number past the limit is already in error and its total is
// never shown; throwing it anyway could mean millions of draws.
inline bool throwable(std::int16_t count, std::int16_t faces, std::int16_t rolls = 0) {
    return count <= max_number && faces <= max_number && rolls <= max_number;
}

// Leading and trailing spaces off, and nothing else.
QStringView trim_spaces(QStringView text);

// The trimmed input lower-cased, with the "+" that closes its last term.
// Written into `formula`'s own buffer, which the next evaluation reuses.
void normalise(QString& formula, QStringView trimmed);

// Reads a formula one character at a time by the evaluator's rules and hands
// each term, as it closes, to `Terms`, which decides what a term is worth:
//   void number(std::int32_t value)  a plain number; empty terms are not handed
//   std::int32_t dice(std::int16_t count, std::int16_t faces)
//   std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls)
// The throwing evaluation and the odds of a formula both read it through this
// one scanner, so that they cannot read a formula differently.
template <typename Terms> class FormulaScan {
public:
    FormulaScan(EvaluatorState& state, Terms& terms) : s_(state), terms_(terms) {}

    // Clears what every evaluation clears, then reads the whole input.
    void run(const QString& input) {
        s_.total = 0;
        s_.err_flag = false;
        s_.keep_mode = false;
        const QStringView text = trim_spaces(input);
        if (text.isEmpty()) {
            fail(FormulaError::empty);
            return;
        }
        normalise(s_.formula, text);
        scan_formula();
    }

    // The last message written, which is the one the result box shows.
    FormulaError error() const { return error_; }
    char32_t offending() const { return offending_; }
    bool misplaced_slash() const { return misplaced_slash_; }

private:
    void fail(FormulaError error) {
        error_ = error;
        offending_ = s_.cur_char;
        s_.err_flag = true;
    }

    void scan_formula() {
        const QString& formula = s_.formula;
        const qsizetype length = formula.size();
        for (qsizetype i = 0; i < length;) {
            s_.scan_pos = i + 1;
            if (code_point_length(formula, i) == 2) {
                s_.cur_char = QChar::surrogateToUcs4(formula[i], formula[i + 1]);
                i += 2;
            } else {
                s_.cur_char = formula[i++].unicode();
            }
            dispatch();
        }
    }

    void dispatch() {
        switch (s_.cur_char) {
        case U'd':
            start_dice();
            break;
        case U'+':
            close_term();
            break;
        case U'/':
            start_keep();
            break;
        default:
            if (s_.cur_char >= U'0' && s_.cur_char <= U'9') {
                s_.digit = static_cast<std::int16_t>(s_.cur_char - U'0');
                add_digit(s_.digit);
            } else {
                fail(FormulaError::bad_char);
            }
        }
    }

    void add_digit(std::int16_t digit) {
        constexpr std::int32_t ceiling = std::numeric_limits<std::int32_t>::max();
        s_.acc = s_.acc > (ceiling - digit) / 10 ? ceiling : s_.acc * 10 + digit;
        digits_in_term_ = true;
        if (s_.acc > max_number) {
            fail(FormulaError::too_big);
        }
    }

    void start_dice() {
        s_.dice_count = narrow(s_.acc);
        s_.acc = 0;
        s_.term_kind = TermKind::dice;
    }

    void start_keep() {
        if (s_.term_kind != TermKind::dice) {
            s_.err_flag = true; // a "/" outside a dice term: an error with no message of its own
            misplaced_slash_ = true;
            return;
        }
        s_.keep_mode = true;
        s_.faces = narrow(s_.acc);
        s_.acc = 0;
    }

    void close_term() {
        if (s_.term_kind != TermKind::dice) {
            s_.total += s_.acc;
            if (digits_in_term_) {
                terms_.number(s_.acc);
            }
        } else if (s_.keep_mode) {
            s_.rolls = narrow(s_.acc);
            s_.dice_count = std::max<std::int16_t>(s_.dice_count, 1);
            s_.rolls = std::max(s_.rolls, s_.dice_count);
            if (throwable(s_.dice_count, s_.faces, s_.rolls)) {
                s_.total += terms_.keep_best(s_.dice_count, s_.faces, s_.rolls);
            }
            s_.faces = 0;
            s_.dice_count = 0;
            s_.rolls = 0;
        } else {
            s_.faces = narrow(s_.acc);
            s_.dice_count = std::max<std::int16_t>(s_.dice_count, 1);
            if (throwable(s_.dice_count, s_.faces)) {
                s_.total += terms_.dice(s_.dice_count, s_.faces);
            }
            s_.dice_count = 0;
            s_.faces = 0;
        }
        s_.term_kind = TermKind::plain;
        s_.acc = 0;
        s_.keep_mode = false;
        digits_in_term_ = false;
    }

    EvaluatorState& s_;
    Terms& terms_;
    FormulaError error_ = FormulaError::none;
    char32_t offending_ = 0;
    bool misplaced_slash_ = false;
    bool digits_in_term_ = false; // a plain term without digits is empty
};

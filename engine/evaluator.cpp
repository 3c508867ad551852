#include "evaluator.h"

#include "code_points.h"
#include "dice.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

namespace {

enum class Message { none, empty, too_big, bad_char };

// Once a number is past max_number the formula is in error and the number's
// exact size no longer matters, so values are held at their field's limit
// instead of wrapping.
std::int16_t narrow(std::int32_t value) {
    return static_cast<std::int16_t>(
        std::min<std::int32_t>(value, std::numeric_limits<std::int16_t>::max()));
}

static_assert(max_number <= max_keep_best_faces, "every throwable keep-best term can be counted");

// A term with a number past the limit is already in error and its total is
// never shown; throwing it anyway could mean millions of draws.
bool throwable(std::int16_t count, std::int16_t faces, std::int16_t rolls = 0) {
    return count <= max_number && faces <= max_number && rolls <= max_number;
}

QStringView trim_spaces(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ') {
        ++first;
    }
    while (end > first && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(first, end - first);
}

// The input lower-cased and trimmed, with the "+" that closes its last term.
// Written into `formula`'s own buffer, which the next evaluation reuses.
// Trimming first spares lower-casing the spaces: no character lower-cases to
// a space, nor a space to anything else.
void normalise(QString& formula, QStringView text) {
    formula.resize(0);
    append_lower_case(formula, text);
    formula += u'+';
}

// A space where a minus sign would go, then the digits, in one string.
QString total_text(std::int64_t total) {
    char digits[24] = {' '};
    char* const end = std::to_chars(digits + 1, std::end(digits), total).ptr;
    QString text(end - digits, Qt::Uninitialized);
    std::copy(digits, end, text.begin());
    return text;
}

QString character_text(char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        const char16_t pair[] = {QChar::highSurrogate(c), QChar::lowSurrogate(c)};
        return QString::fromUtf16(pair, 2);
    }
    // A lone surrogate is shown as it came, not replaced.
    return QString(QChar(static_cast<char16_t>(c)));
}

class Scan {
public:
    Scan(EvaluatorState& state, RandomSource& random) : s_(state), random_(random) {}

    void fail(Message message) {
        message_ = message;
        offending_ = s_.cur_char;
        s_.err_flag = true;
    }

    // Each message replaces the one before and nothing is drawn before the
    // click handler returns, so only the last one needs to reach the window.
    void show_result(ResultSink& sink) const {
        if (!s_.err_flag) {
            sink.set_result_text(total_text(s_.total));
            sink.start_fade();
            return;
        }
        switch (message_) {
        case Message::none:
            break;
        case Message::empty:
            sink.set_result_text(QStringLiteral("?"));
            break;
        case Message::too_big:
            sink.set_result_text(QStringLiteral("???"));
            break;
        case Message::bad_char:
            sink.set_result_text(QStringLiteral("??? : ") + character_text(offending_));
            break;
        }
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

private:
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
                bad_char();
            }
        }
    }

    void add_digit(std::int16_t digit) {
        constexpr std::int32_t ceiling = std::numeric_limits<std::int32_t>::max();
        s_.acc = s_.acc > (ceiling - digit) / 10 ? ceiling : s_.acc * 10 + digit;
        if (s_.acc > max_number) {
            fail(Message::too_big);
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
            return;
        }
        s_.keep_mode = true;
        s_.faces = narrow(s_.acc);
        s_.acc = 0;
    }

    void close_term() {
        if (s_.term_kind != TermKind::dice) {
            s_.total += s_.acc;
        } else if (s_.keep_mode) {
            s_.rolls = narrow(s_.acc);
            s_.dice_count = std::max<std::int16_t>(s_.dice_count, 1);
            s_.rolls = std::max(s_.rolls, s_.dice_count);
            if (throwable(s_.dice_count, s_.faces, s_.rolls)) {
                s_.total += roll_keep_best(s_.dice_count, s_.faces, s_.rolls, random_);
            }
            s_.faces = 0;
            s_.dice_count = 0;
            s_.rolls = 0;
        } else {
            s_.faces = narrow(s_.acc);
            s_.dice_count = std::max<std::int16_t>(s_.dice_count, 1);
            if (throwable(s_.dice_count, s_.faces)) {
                s_.total += roll_sum(s_.dice_count, s_.faces, random_);
            }
            s_.dice_count = 0;
            s_.faces = 0;
        }
        s_.term_kind = TermKind::plain;
        s_.acc = 0;
        s_.keep_mode = false;
    }

    void bad_char() { fail(Message::bad_char); }

    EvaluatorState& s_;
    RandomSource& random_;
    Message message_ = Message::none;
    char32_t offending_ = 0;
};

} // namespace

void evaluate_formula(EvaluatorState& state, const QString& input, RandomSource& random,
                      ResultSink& sink) {
    state.total = 0;
    state.err_flag = false;
    state.keep_mode = false;

    Scan scan(state, random);
    const QStringView text = trim_spaces(input);
    if (text.isEmpty()) {
        scan.fail(Message::empty);
    } else {
        normalise(state.formula, text);
        scan.scan_formula();
    }
    scan.show_result(sink);
}

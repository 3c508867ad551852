#pragma once

#include <QString>
#include <cstdint>

enum class TermKind : std::int32_t { plain = 1, dice = 2 };

// Everything the evaluator remembers while it reads a formula. Every formula
// ends with a closing "+", which leaves the term fields as a new record has
// them, so no evaluation depends on the one before.
struct EvaluatorState {
    QString formula;        // normalised input with "+" appended
    qsizetype scan_pos = 0; // 1-based position of cur_char in formula
    char32_t cur_char = 0;  // the character being scanned, a whole code point
    std::int16_t digit = 0; // value of cur_char when it is a digit
    std::int32_t acc = 0;   // the number being read, held at its limit once past it
    std::int16_t dice_count = 0;
    std::int16_t faces = 0;
    std::int16_t rolls = 0; // dice thrown in a keep-best term
    bool keep_mode = false; // a "/" was accepted in the current term
    TermKind term_kind = TermKind::plain;
    std::int64_t total = 0; // wide enough that no input can overflow it
    bool err_flag = false;
};

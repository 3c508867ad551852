// Feeds arbitrary bytes to evaluate_formula, read as UTF-8 and as raw UTF-16
// (lone surrogates included), and aborts on any outcome the formula does not
// allow. The sanitizers it is built with catch the rest.
#include "engine/evaluator.h"
#include "engine/scripted_random_source.h"
#include "formula_model.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const float largest_draw = std::nextafter(1.0f, 0.0f);

struct RecordingSink final : ResultSink {
    QStringList texts;
    int fades = 0;
    void set_result_text(const QString& text) override { texts << text; }
    void start_fade() override { ++fades; }
};

[[noreturn]] void violation(const char* what, const QString& formula, const QStringList& texts) {
    std::fprintf(stderr, "%s\n  formula (UTF-16 units): ", what);
    for (const QChar unit : formula) {
        std::fprintf(stderr, "%04x ", unit.unicode());
    }
    std::fprintf(stderr, "\n  shown: %s\n", qUtf8Printable(texts.join(u'|')));
    std::abort();
}

// The forms a result may take, whatever the formula: "?", "???", "??? : "
// and one character, or a space and a total.
bool well_formed(const QString& text) {
    if (text == u"?" || text == u"???") {
        return true;
    }
    if (text.startsWith(u"??? : ")) {
        const QStringView character = QStringView(text).sliced(6);
        return character.size() == 1 || (character.size() == 2 && character[0].isHighSurrogate() &&
                                         character[1].isLowSurrogate());
    }
    if (text.size() < 2 || text[0] != u' ') {
        return false;
    }
    return std::all_of(text.begin() + 1, text.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void check(const QString& formula, const std::vector<float>& values) {
    EvaluatorState state;
    ScriptedRandomSource random(values);
    RecordingSink sink;
    evaluate_formula(state, formula, random, sink);
    const Expected expected = expect(formula, values);

    if (!expected.writes) {
        if (!sink.texts.isEmpty() || sink.fades != 0) {
            violation("a misplaced \"/\" alone must leave the box as it was", formula, sink.texts);
        }
    } else if (sink.texts.size() != 1 || !well_formed(sink.texts.front())) {
        violation("exactly one well-formed result expected", formula, sink.texts);
    } else if (sink.texts.front() != expected.text) {
        violation(qPrintable("expected \"" + expected.text + u'"'), formula, sink.texts);
    }
    if (sink.fades != (expected.shows_total ? 1 : 0)) {
        violation("the fade must start once exactly when a total is shown", formula, sink.texts);
    }
    if (expected.shows_total) {
        const std::int64_t total = sink.texts.front().sliced(1).toLongLong();
        if (total < expected.lowest || total > expected.highest) {
            violation("total outside what the terms allow", formula, sink.texts);
        }
    }
    if (random.draws() != expected.draws) {
        violation("one draw per die of every term within the limit", formula, sink.texts);
    }

    // The detail draws the same dice and shows the same, and the odds give
    // the model's range, with a mean within it.
    EvaluatorState detail_state;
    ScriptedRandomSource detail_random(values);
    RecordingSink detail_sink;
    RollDetail detail;
    evaluate_formula(detail_state, formula, detail_random, detail_sink, detail);
    if (detail_sink.texts != sink.texts || detail_sink.fades != sink.fades ||
        detail_random.draws() != random.draws()) {
        violation("the same result and draws with the detail", formula, detail_sink.texts);
    }
    const RollOutcome outcome = !expected.writes       ? RollOutcome::unchanged
                                : expected.shows_total ? RollOutcome::total
                                                       : RollOutcome::message;
    if (detail.outcome != outcome) {
        violation("the outcome the detail reports is what the box got", formula, sink.texts);
    }
    const FormulaOdds odds = formula_odds(formula);
    if (expected.shows_total && (odds.min != expected.lowest || odds.max != expected.highest)) {
        violation("the range of the odds is the model's", formula, sink.texts);
    }
    if (odds.mean && !(*odds.mean >= odds.min - 1e-6 && *odds.mean <= odds.max + 1e-6)) {
        violation("the mean within the range", formula, sink.texts);
    }
}

// The input's own bytes as draws, from 0 up to the largest value below 1.
std::vector<float> draws_from(const std::uint8_t* data, std::size_t size) {
    std::vector<float> values;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 64); ++i) {
        values.push_back(std::min(data[i] / 255.0f, largest_draw));
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) {
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    }
    const QString formulas[] = {
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        // Taken as they are: no byte-order mark stripped, no surrogate replaced.
        QString(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size())),
    };
    const std::vector<float> draw_sets[] = {{largest_draw}, draws_from(data, size)};
    for (const QString& formula : formulas) {
        for (const std::vector<float>& draws : draw_sets) {
            check(formula, draws);
        }
    }
    return 0;
}

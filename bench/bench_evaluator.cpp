#include "engine/evaluator.h"
#include "engine/random_source.h"
#include "engine/scripted_random_source.h"
#include "summary_reporter.h"

#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr std::uint64_t fixed_seed = 20261208;
constexpr std::size_t bare_draws = 1000; // as many as "1000d1000" throws
const char* const floor_name = "bare draws, one batch";

// Keeps the last text as the window does, so a text the evaluator would
// rather reuse is shared, as it is in the program.
struct KeepingSink final : ResultSink {
    QString shown;
    void set_result_text(const QString& text) override { shown = text; }
    void start_fade() override {}
};

void count_dice(benchmark::State& state, std::size_t dice) {
    state.counters["dice"] = static_cast<double>(dice);
    state.counters["per_die"] = benchmark::Counter(static_cast<double>(dice),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// A scripted source throws the same dice as the generator, and counts them.
std::size_t dice_in(const QString& formula) {
    EvaluatorState state;
    ScriptedRandomSource counter({0.5f});
    KeepingSink sink;
    evaluate_formula(state, formula, counter, sink);
    return counter.draws();
}

// The floor: the generator's own cost, with no call per value.
void bare_draws_in_one_batch(benchmark::State& state) {
    DefaultRandomSource random;
    random.seed(fixed_seed);
    std::array<float, bare_draws> values;
    for (auto _ : state) {
        random.draw_many(values);
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    count_dice(state, bare_draws);
}

// What a die cost when each one was a call of its own.
void bare_draws_one_call_each(benchmark::State& state) {
    DefaultRandomSource random;
    random.seed(fixed_seed);
    for (auto _ : state) {
        for (std::size_t i = 0; i < bare_draws; ++i) {
            benchmark::DoNotOptimize(random.draw());
        }
    }
    count_dice(state, bare_draws);
}

void evaluate(benchmark::State& state, const QString& formula) {
    DefaultRandomSource random;
    random.seed(fixed_seed);
    EvaluatorState evaluator;
    KeepingSink sink;
    for (auto _ : state) {
        evaluate_formula(evaluator, formula, random, sink);
    }
    count_dice(state, dice_in(formula));
}

// What the window does after a roll it shows the detail and odds of.
void evaluate_with_detail_and_odds(benchmark::State& state, const QString& formula) {
    DefaultRandomSource random;
    random.seed(fixed_seed);
    EvaluatorState evaluator;
    KeepingSink sink;
    RollDetail detail;
    for (auto _ : state) {
        evaluate_formula(evaluator, formula, random, sink, detail);
        benchmark::DoNotOptimize(formula_odds(formula));
    }
    count_dice(state, dice_in(formula));
}

// The slowest 32 KiB formula found for the detail and the odds: distinct
// keep-best terms of a thousand dice, each of whose means costs two binomial
// tails or a probability and a short sum per face, until the work allowed for
// the mean is spent; then the most dice the rest can ask for.
QString slowest_for_detail_and_odds() {
    QString formula;
    for (int faces = 1000; faces > 960; --faces) {
        formula += QString("977d%1/1000+").arg(faces);
    }
    while (formula.size() + 6 <= 32 * 1024) {
        formula += QStringLiteral("1000d+");
    }
    return formula;
}

// The longest formula the program is timed with: a term repeated to 32 KiB.
QString repeated_to_32_kib(const QString& term) {
    const qsizetype size = 32 * 1024;
    return term.repeated(size / term.size() + 1).left(size);
}

// Medians of five runs, after a warm-up: single runs on a shared machine
// wander by a third.
template <typename... Args> void add_case(const std::string& name, Args&&... args) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
        ->MinWarmUpTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv) {
    // Return to the total on screen within one 60 Hz frame, whatever the formula.
    const Target within_a_frame{Target::Measure::evaluation_ns, 10e6};
    const Target keep_best{Target::Measure::die_per_floor, 2.5};
    std::map<std::string, Target> targets{
        {"3d6/4", {Target::Measure::evaluation_ns, 100}},
        {"1000d1000", {Target::Measure::die_per_floor, 1.3}},
    };

    add_case(floor_name, bare_draws_in_one_batch);
    add_case("bare draws, one call each", bare_draws_one_call_each);
    for (const char* formula : {"3d6/4+2d8+1", "3d6/4", "1000d1000"}) {
        add_case(formula, evaluate, QString(formula));
    }
    // Keep-best terms of many dice: all kept, one dropped, half dropped, and
    // few faces, where many dice show the same value.
    for (const char* formula : {"1000d1000/999", "998d1000/999", "500d1000/1000", "500d6/1000"}) {
        add_case(formula, evaluate, QString(formula));
        targets.emplace(formula, keep_best);
    }
    for (const char* term : {"1000d1000/999+", "500d1000/1000+", "1000d+"}) {
        const std::string name = std::string("32 KiB of ") + term;
        add_case(name, evaluate, repeated_to_32_kib(term));
        targets.emplace(name, within_a_frame);
    }

    add_case("3d6/4, detail and odds", evaluate_with_detail_and_odds, QString("3d6/4"));
    const std::string slowest = "slowest 32 KiB, detail and odds";
    add_case(slowest, evaluate_with_detail_and_odds, slowest_for_detail_and_odds());
    // The detail and odds of any formula within a 60 Hz frame.
    targets.emplace(slowest, Target{Target::Measure::evaluation_ns, 16e6});

    // The repetitions of all cases run in a random order, so that a slow spell
    // of this shared machine is spread over the cases rather than falling on
    // one of them, or on the floor, and skewing its ratio. Given again on the
    // command line, the option can be turned off.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int arg_count = static_cast<int>(args.size());
    benchmark::Initialize(&arg_count, args.data());
    if (benchmark::ReportUnrecognizedArguments(arg_count, args.data())) {
        return 1;
    }
    SummaryReporter reporter(floor_name, targets);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

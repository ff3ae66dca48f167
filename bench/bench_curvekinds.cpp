// Sampling the kinds of curve beyond y = f(x) on a 1920 x 1080 sheet with the origin in the middle, at 40
// and at 400 pixels per unit (the argument). Budget: each curve under 2 ms. The curves are C++ functions
// here; the program's formula evaluator costs about 50-100 ns per evaluation, so the counter "evaluations"
// tells what it adds to the time measured.
#include "document/ViewSettings.h"
#include "graph/ParametricSampler.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace {

using namespace quorvel;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kPi = std::numbers::pi;

document::ViewSettings viewAtUnit(benchmark::State& state) {
    document::ViewSettings view = document::ViewSettings::forSheet(kWidth, kHeight);
    view.unitCommon = view.unitX = view.unitY = static_cast<double>(state.range(0));
    return view;
}

void sampleOnSheet(benchmark::State& state, const graph::PlaneCurve& curve, double tStart, double tEnd) {
    const document::ViewSettings view = viewAtUnit(state);
    long evaluations = 0;
    const graph::PlaneCurve counted = [&](double t) {
        ++evaluations;
        return curve(t);
    };
    graph::SampledCurve sampled;
    for (auto _ : state) {
        evaluations = 0;
        sampled = graph::sampleParametric(counted, tStart, tEnd, view, kWidth, kHeight);
        benchmark::DoNotOptimize(sampled.paths.data());
    }
    long points = 0;
    for (const graph::SheetPath& path : sampled.paths)
        points += static_cast<long>(path.size());
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["points"] = static_cast<double>(points);
    state.counters["paths"] = static_cast<double>(sampled.paths.size());
    state.counters["exhausted"] = sampled.budgetExhausted ? 1 : 0;
}

graph::PlaneCurve polar(double (*r)(double)) {
    return graph::polarCurve([r](double theta) { return std::optional{r(theta)}; });
}

void BM_ParametricCircle(benchmark::State& state) {
    sampleOnSheet(
        state,
        [](double t) {
            return std::optional{std::pair{std::cos(t), std::sin(t)}};
        },
        0, 2 * kPi);
}
BENCHMARK(BM_ParametricCircle)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_PolarCardioid(benchmark::State& state) {
    sampleOnSheet(state, polar([](double theta) { return 1 + std::cos(theta); }), 0, 2 * kPi);
}
BENCHMARK(BM_PolarCardioid)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_ParametricLissajous(benchmark::State& state) {
    sampleOnSheet(
        state,
        [](double t) {
            return std::optional{std::pair{std::sin(3 * t), std::sin(4 * t)}};
        },
        0, 2 * kPi);
}
BENCHMARK(BM_ParametricLissajous)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_PolarSpiral(benchmark::State& state) {
    sampleOnSheet(state, polar([](double theta) { return theta; }), 0, 20 * kPi);
}
BENCHMARK(BM_PolarSpiral)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_ParametricTangent(benchmark::State& state) {
    sampleOnSheet(
        state,
        [](double t) {
            return std::optional{std::pair{std::tan(t), t}};
        },
        0, 2 * kPi);
}
BENCHMARK(BM_ParametricTangent)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// The kinds of curve beyond y = f(x), traced on a 1920 x 1080 sheet with the origin in the middle at 40
// and at 400 pixels per unit (budget: a conic or a linear-programming region under 16 ms). The functions
// are C++ lambdas; the formula evaluator costs about 50-100 ns an evaluation, so each benchmark counts its
// evaluations and what they would add at 75 ns (eval_ms).
#include "document/ViewSettings.h"
#include "graph/ImplicitTracer.h"
#include "graph/RegionTracer.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace quorvel;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kEvaluationMs = 75e-6;

document::ViewSettings viewAt(benchmark::State& state) {
    document::ViewSettings view = document::ViewSettings::forSheet(kWidth, kHeight);
    view.unitX = view.unitY = view.unitCommon = static_cast<double>(state.range(0));
    return view;
}

graph::PlaneFunction counted(graph::PlaneFunction f, long& evaluations) {
    return [f = std::move(f), &evaluations](double x, double y) {
        ++evaluations;
        return f(x, y);
    };
}

void report(benchmark::State& state, long evaluations, std::size_t points) {
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["eval_ms"] = static_cast<double>(evaluations) * kEvaluationMs;
    state.counters["points"] = static_cast<double>(points);
}

void traceCurve(benchmark::State& state, const graph::PlaneFunction& f) {
    const document::ViewSettings view = viewAt(state);
    long evaluations = 0;
    const graph::PlaneFunction g = counted(f, evaluations);
    std::size_t points = 0;
    for (auto _ : state) {
        evaluations = 0;
        points = 0;
        for (const graph::SheetPath& path : graph::traceImplicit(g, view, kWidth, kHeight).paths)
            points += path.size();
        benchmark::DoNotOptimize(points);
    }
    report(state, evaluations, points);
}

void traceRegion(benchmark::State& state, std::vector<graph::RegionConstraint> system) {
    const document::ViewSettings view = viewAt(state);
    long evaluations = 0;
    for (graph::RegionConstraint& c : system)
        c.margin = counted(c.margin, evaluations);
    std::size_t points = 0;
    for (auto _ : state) {
        evaluations = 0;
        points = 0;
        const graph::RegionShape shape = graph::traceRegion(system, view, kWidth, kHeight);
        for (const graph::SheetPath& polygon : shape.fill)
            points += polygon.size();
        for (const std::vector<graph::SheetPath>& boundary : shape.boundaries)
            for (const graph::SheetPath& path : boundary)
                points += path.size();
        benchmark::DoNotOptimize(points);
    }
    report(state, evaluations, points);
}

void BM_EllipseImplicit(benchmark::State& state) {
    traceCurve(state, [](double x, double y) { return x * x / 4 + y * y / 9 - 1; });
}
BENCHMARK(BM_EllipseImplicit)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_HyperbolaImplicit(benchmark::State& state) {
    traceCurve(state, [](double x, double y) { return x * x - y * y - 1; });
}
BENCHMARK(BM_HyperbolaImplicit)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_ParabolaImplicit(benchmark::State& state) {
    traceCurve(state, [](double x, double y) { return y * y - 4 * x; });
}
BENCHMARK(BM_ParabolaImplicit)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_RectangularHyperbolaImplicit(benchmark::State& state) {
    traceCurve(state, [](double x, double y) { return x * y - 1; });
}
BENCHMARK(BM_RectangularHyperbolaImplicit)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

// lak(3,x+y<=2;x>=0;y>=0)
void BM_LinearProgrammingRegion(benchmark::State& state) {
    traceRegion(state, {{[](double x, double y) { return 2 - x - y; }, false},
                        {[](double x, double) { return x; }, false},
                        {[](double, double y) { return y; }, false}});
}
BENCHMARK(BM_LinearProgrammingRegion)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_DiscRegion(benchmark::State& state) {
    traceRegion(state, {{[](double x, double y) { return 4 - x * x - y * y; }, false}});
}
BENCHMARK(BM_DiscRegion)->ArgName("unit")->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Tracing curves of the plane as the sheet does, through the program's formula evaluator: a graph item of
// each kind traced for a 1920 x 1080 sheet with the origin in the middle, at 40 and at 400 pixels per unit
// (the argument). Budgets: a parametric or polar curve under 2 ms, a conic or a region under 16 ms.
#include "document/Records.h"
#include "document/ViewSettings.h"
#include "expr/Conversion.h"
#include "graph/PlaneCurveShape.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quorvel;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// typed: the formula as a user types it; the item holds its markup, as the editor stores it.
void trace(benchmark::State& state, int kind, const char* typed, double start = -9999, double end = 9999) {
    document::DEFINEFUN item;
    item.kind = kind;
    item.expression = expr::convertText(typed, expr::Road::Value).canonical;
    item.domainStart = start;
    item.domainEnd = end;
    document::ViewSettings view = document::ViewSettings::forSheet(kWidth, kHeight);
    view.unitCommon = view.unitX = view.unitY = static_cast<double>(state.range(0));
    graph::PlaneCurveShape shape;
    for (auto _ : state) {
        shape = graph::tracePlaneCurve(item, view, kWidth, kHeight);
        benchmark::DoNotOptimize(shape.solid.data());
    }
    long points = 0;
    for (const auto* paths : {&shape.solid, &shape.dashed, &shape.fill})
        for (const graph::SheetPath& path : *paths)
            points += static_cast<long>(path.size());
    state.counters["points"] = static_cast<double>(points);
    state.counters["exhausted"] = shape.budgetExhausted ? 1 : 0;
}

constexpr double kTurn = 6.283185307179586;

void BM_ItemCircleParametric(benchmark::State& s) {
    trace(s, document::KindParametric, "x=2cos t;y=2sin t", 0, kTurn);
}
void BM_ItemLissajous(benchmark::State& s) {
    trace(s, document::KindParametric, "x=3sin(3t);y=3sin(4t)", 0, kTurn);
}
void BM_ItemCardioid(benchmark::State& s) {
    trace(s, document::KindPolar, "r=2(1+cos θ)", 0, kTurn);
}
void BM_ItemEllipse(benchmark::State& s) {
    trace(s, document::KindImplicit, "x^2/4+y^2/9=1");
}
void BM_ItemHyperbola(benchmark::State& s) {
    trace(s, document::KindImplicit, "x^2-y^2=1");
}
void BM_ItemParabola(benchmark::State& s) {
    trace(s, document::KindImplicit, "y^2=4x");
}
void BM_ItemLinearProgram(benchmark::State& s) {
    trace(s, document::KindRegion, "x+y<=2;x>=0;y>=0");
}
void BM_ItemDisk(benchmark::State& s) {
    trace(s, document::KindRegion, "x^2+y^2<=4");
}

} // namespace

BENCHMARK(BM_ItemCircleParametric)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemLissajous)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemCardioid)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemEllipse)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemHyperbola)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemParabola)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemLinearProgram)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemDisk)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

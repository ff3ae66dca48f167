// Reading curves as the sheet does when a curve is selected: the points of interest (zeros, extrema,
// y-intercept) of the fourteen templates with their start values on a 1920-column view (100 pixels per
// unit, x from -9.6 to 9.6), all fourteen per iteration (budget: under 10 ms in all), and each alone.
// The curves are made once, as the sheet keeps them while the view moves.
#include "document/Records.h"
#include "document/ViewSettings.h"
#include "graph/CurveAnalysis.h"
#include "graph/CurveCommands.h"
#include "graph/CurveFunction.h"
#include "graph/Templates.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace quorvel;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

graph::CurveFunction templateCurve(const graph::TemplateFunction& t) {
    document::DEFINEFUN item;
    item.kind = document::KindTemplateFunction;
    item.expression = std::string(t.expression);
    item.paramCount = t.paramCount;
    for (int k = 0; k < t.paramCount; ++k) {
        const auto u = static_cast<std::size_t>(k);
        item.paramNames[u] = graph::kTemplateParamNames[u];
        item.paramValues[u] = t.startValues[u];
    }
    return graph::CurveFunction::fromItem(item);
}

graph::AnalysisRange viewRange() {
    return graph::rangeOfView(document::ViewSettings::forSheet(kWidth, kHeight), kWidth);
}

void BM_PointsOfFourteenTemplates(benchmark::State& state) {
    std::vector<graph::CurveFunction> curves;
    for (const graph::TemplateFunction& t : graph::templateFunctions())
        curves.push_back(templateCurve(t));
    const graph::AnalysisRange range = viewRange();
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (const graph::CurveFunction& f : curves)
            points += graph::pointsOfInterest(f, range).points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_PointsOfFourteenTemplates)->Unit(benchmark::kMillisecond);

void pointsOfOneTemplate(benchmark::State& state, const graph::TemplateFunction& t) {
    const graph::CurveFunction f = templateCurve(t);
    const graph::AnalysisRange range = viewRange();
    std::size_t points = 0;
    for (auto _ : state) {
        points = graph::pointsOfInterest(f, range).points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}

// Making the curve again, as a parameter sweep of the dynamic demonstration does for every step.
void BM_PointsWithCurveMadeAgain(benchmark::State& state) {
    const graph::TemplateFunction& t = graph::templateFunctions()[6]; // A*sin(B*X+C)
    const graph::AnalysisRange range = viewRange();
    for (auto _ : state) {
        const graph::CurveFunction f = templateCurve(t);
        benchmark::DoNotOptimize(graph::pointsOfInterest(f, range).points.size());
    }
}
BENCHMARK(BM_PointsWithCurveMadeAgain)->Unit(benchmark::kMillisecond);

void BM_IntersectionsOfSineAndCosine(benchmark::State& state) {
    const graph::CurveFunction f = templateCurve(graph::templateFunctions()[6]);
    const graph::CurveFunction g = templateCurve(graph::templateFunctions()[7]);
    const graph::AnalysisRange range = viewRange();
    for (auto _ : state)
        benchmark::DoNotOptimize(graph::intersections(f, g, range).points.size());
}
BENCHMARK(BM_IntersectionsOfSineAndCosine)->Unit(benchmark::kMillisecond);

int registerEach() {
    for (const graph::TemplateFunction& t : graph::templateFunctions())
        benchmark::RegisterBenchmark((std::string("points/") + std::string(t.buttonName)).c_str(),
                                     pointsOfOneTemplate, t)
            ->Unit(benchmark::kMicrosecond);
    return 0;
}

const int kRegistered = registerEach();

} // namespace

BENCHMARK_MAIN();

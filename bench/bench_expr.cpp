// Sampling the plotter's template functions as the plotter does it: the parameters loaded into the
// variable table, the tree built once, one evaluate per pixel column of a 1920 pixel wide sheet.
#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

namespace {

using namespace quorvel::expr;

struct Template {
    const char* name;
    const char* expression;
    int paramCount;
    std::array<double, 3> values;
};

constexpr std::array<Template, 14> kTemplates{{
    {"linear", "Y=A*X+B", 2, {1, 0, 0}},
    {"inverse", "Y =A/X+B", 2, {1, 0, 0}},
    {"quadratic", "Y =A*cub(X,2)+B*X+C", 3, {1, 0, -1}},
    {"power", "Y=cub(X,A)", 1, {0.5, 0, 0}},
    {"exponential", "Y=ind(A,X)", 1, {2, 0, 0}},
    {"logarithm", "Y=log(A,X)", 1, {2, 0, 0}},
    {"sine", "Y=A*sin(B*X+C)", 3, {1, 1, 0}},
    {"cosine", "Y=A*cos(B*X+C)", 3, {1, 1, 0}},
    {"tangent", "Y=A*tg(B*X+C)", 3, {1, 1, 0}},
    {"cotangent", "Y=A*ctg(B*X+C)", 3, {1, 1, 0}},
    {"arcsine", "Y=arcsin(X)", 0, {0, 0, 0}},
    {"arccosine", "Y=arccos(X)", 0, {0, 0, 0}},
    {"arctangent", "Y=arctg(X)", 0, {0, 0, 0}},
    {"arccotangent", "Y=arcctg(X)", 0, {0, 0, 0}},
}};

constexpr int kColumns = 1920;
constexpr double kOriginX = 960;
constexpr double kUnitX = 40;

void sampleTemplate(benchmark::State& state, const Template& t) {
    quorvel::RecordingSink sink;
    Engine engine(sink);
    const std::vector<std::string> names{"A", "B", "C"};
    engine.variables.load(std::span(names).first(static_cast<std::size_t>(t.paramCount)),
                          std::span(t.values).first(static_cast<std::size_t>(t.paramCount)));
    const std::string text = expandPiecewise(engine, t.expression);
    ExprNode* node = evaluatedNode(engine.rebuildCurrentTree(text));
    std::vector<double> ys(kColumns);
    std::vector<char> defined(kColumns);
    for (auto _ : state) {
        for (int j = 0; j < kColumns; ++j) {
            const double x = (j - kOriginX) / kUnitX;
            defined[static_cast<std::size_t>(j)] = evaluate(engine, node, x);
            if (defined[static_cast<std::size_t>(j)]) ys[static_cast<std::size_t>(j)] = nodeValue(node);
        }
        benchmark::DoNotOptimize(ys.data());
        benchmark::DoNotOptimize(defined.data());
    }
    // Seconds per column, shown with an SI prefix ("21.5n" is 21.5 ns).
    state.counters["per_column"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kColumns,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

int registerAll() {
    for (const Template& t : kTemplates)
        benchmark::RegisterBenchmark((std::string("sample/") + t.name).c_str(), sampleTemplate, t);
    return 0;
}

const int kRegistered = registerAll();

} // namespace

BENCHMARK_MAIN();

#pragma once

#include <functional>

namespace quorvel::graph {

// A real function of the plane, in mathematical coordinates; NaN or an infinity where it has no value.
using PlaneFunction = std::function<double(double x, double y)>;

// A bound on the work of tracing a curve or a region, in evaluations of its functions. A conic on a
// 1920 x 1080 sheet takes 10,000 to 16,000 and a linear-programming region about 38,000; the default stops
// a function that varies everywhere after about 15 ms of the formula evaluator (75 ns an evaluation).
// A still picture (printing, export) can afford more.
struct TraceBudget {
    long maxEvaluations = 200'000;
};

} // namespace quorvel::graph

#pragma once

#include <functional>
#include <optional>

namespace quorvel::graph {

// A function of one variable that may have no value at a point (outside its domain, at a fault).
using PartialFunction = std::function<std::optional<double>(double)>;

// The end of a root search: f changes sign between x and other (or is 0 at x), |f(x)| <= |f(other)|.
struct RootBracket {
    double x;
    double fx;
    double other;
    double fOther;
};

// Brent's method (Brent 1973, "zeroin"): a root of f between a and b, where fa = f(a) and fb = f(b) are
// non-zero and of opposite signs. Inverse quadratic and secant steps, bisection where they are slow,
// until the bracket is no wider than 4·ε·|x| + absTol (ε the double's epsilon) or f is exactly 0 at x.
// Nothing when f has no value at a point it tries or after maxEvaluations without converging.
[[nodiscard]] std::optional<RootBracket> brentRoot(const PartialFunction& f, double a, double fa, double b,
                                                   double fb, double absTol, int maxEvaluations = 400);

// The end of a minimum search: the lowest point found and the interval around it that still holds
// the minimum; undefinedWithin tells that f had no value at a point tried in [low, high] (the search
// closed in on a hole or the end of a domain, where f has no minimum).
struct MinimumBracket {
    double x;
    double fx;
    double low;
    double high;
    bool undefinedWithin;
};

// Brent's method (Brent 1973, "localmin"): a local minimum of f in the open interval (a, b), starting
// from x0 inside it with f(x0) = f0 no greater than f near a and b. Golden-section steps with parabolic
// interpolation, until the interval around the best point is no wider than about 4·(relTol·|x| + absTol).
// Points where f has no value count as +∞, so the search keeps to where f has values. Stops after
// maxEvaluations.
[[nodiscard]] MinimumBracket brentMinimum(const PartialFunction& f, double a, double b, double x0, double f0,
                                          double relTol, double absTol, int maxEvaluations = 400);

} // namespace quorvel::graph

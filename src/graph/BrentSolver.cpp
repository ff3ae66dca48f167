#include "graph/BrentSolver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace quorvel::graph {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// (3 - √5) / 2: the golden-section fraction.
constexpr double kGolden = 0.3819660112501051;

} // namespace

std::optional<RootBracket> brentRoot(const PartialFunction& f, double a, double fa, double b, double fb,
                                     double absTol, int maxEvaluations) {
    if (!(fa < 0 && fb > 0) && !(fa > 0 && fb < 0)) return std::nullopt;
    double c = a;
    double fc = fa;
    double d = b - a;
    double e = d;
    for (int evaluations = 0;; ++evaluations) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = b - a;
            e = d;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * kEpsilon * std::fabs(b) + 0.5 * absTol;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tol || fb == 0) return RootBracket{b, fb, c, fc};
        if (evaluations >= maxEvaluations) return std::nullopt;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            // Interpolation: the secant when only two points are known, else inverse quadratic.
            const double s = fb / fa;
            double p = 0;
            double q = 0;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::fmin(3 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : std::copysign(tol, half);
        const std::optional<double> value = f(b);
        if (!value) return std::nullopt;
        fb = *value;
    }
}

MinimumBracket brentMinimum(const PartialFunction& f, double a, double b, double x0, double f0, double relTol,
                            double absTol, int maxEvaluations) {
    if (a > b) std::swap(a, b);
    double x = x0;
    double w = x0;
    double v = x0;
    double fx = f0;
    double fw = f0;
    double fv = f0;
    double d = 0;
    double e = 0;
    std::vector<double> undefined;
    for (int evaluations = 0; evaluations < maxEvaluations; ++evaluations) {
        const double middle = 0.5 * (a + b);
        const double tol1 = relTol * std::fabs(x) + absTol / 3;
        const double tol2 = 2 * tol1;
        if (std::fabs(x - middle) <= tol2 - 0.5 * (b - a)) break;
        bool golden = true;
        // A parabola through x, w and v, unless a point without value (+∞) is among them.
        if (std::fabs(e) > tol1 && std::isfinite(fw) && std::isfinite(fv)) {
            double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::fabs(q);
            r = e;
            e = d;
            if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2) d = x < middle ? tol1 : -tol1;
                golden = false;
            }
        }
        if (golden) {
            e = x < middle ? b - x : a - x;
            d = kGolden * e;
        }
        const double u = std::fabs(d) >= tol1 ? x + d : x + (d > 0 ? tol1 : -tol1);
        const std::optional<double> value = f(u);
        if (!value) undefined.push_back(u);
        const double fu = value.value_or(kInfinity);
        if (fu <= fx) {
            if (u < x)
                b = x;
            else
                a = x;
            v = w;
            fv = fw;
            w = x;
            fw = fx;
            x = u;
            fx = fu;
        } else {
            if (u < x)
                a = u;
            else
                b = u;
            if (fu <= fw || w == x) {
                v = w;
                fv = fw;
                w = u;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
    const bool undefinedWithin =
        std::any_of(undefined.begin(), undefined.end(), [a, b](double u) { return u >= a && u <= b; });
    return {x, fx, a, b, undefinedWithin};
}

} // namespace quorvel::graph

#include "graph/ParametricSampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace quorvel::graph {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

document::ViewSettings viewAt(double originX, double originY, double unit) {
    document::ViewSettings view;
    view.originX = originX;
    view.originY = originY;
    view.unitCommon = view.unitX = view.unitY = unit;
    return view;
}

document::ViewSettings centredView(double unit) {
    return viewAt(kWidth / 2.0, kHeight / 2.0, unit);
}

PlaneCurve plane(double (*x)(double), double (*y)(double)) {
    return [x, y](double t) { return std::optional{std::pair{x(t), y(t)}}; };
}

PlaneCurve polar(double (*r)(double)) {
    return polarCurve([r](double theta) { return std::optional{r(theta)}; });
}

double distance(typeset::PointF a, typeset::PointF b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double longestStep(const SampledCurve& c) {
    double longest = 0;
    for (const SheetPath& path : c.paths)
        for (std::size_t i = 1; i < path.size(); ++i)
            longest = std::max(longest, distance(path[i - 1], path[i]));
    return longest;
}

bool passesNear(const SampledCurve& c, typeset::PointF p, double within) {
    for (const SheetPath& path : c.paths)
        for (const typeset::PointF& q : path)
            if (distance(p, q) <= within) return true;
    return false;
}

// Every point a finite number, at most a pen's width or two beyond the sheet.
bool nearTheSheet(const SampledCurve& c, int width, int height) {
    for (const SheetPath& path : c.paths)
        for (const typeset::PointF& q : path)
            if (!(q.x >= -16 && q.x <= width + 16 && q.y >= -16 && q.y <= height + 16)) return false;
    return true;
}

bool onOrBeyondBorder(typeset::PointF p, int width, int height) {
    return p.x <= 0 || p.x >= width || p.y <= 0 || p.y >= height;
}

TEST(ParametricSampler, CircleLiesOnItsRadiusAndClosesExactlyInEitherDirection) {
    struct Case {
        double unit, tStart, tEnd;
    };
    for (const Case& c : {Case{40, 0, 2 * kPi}, Case{400, 0, 2 * kPi}, Case{400, 2 * kPi, 0}}) {
        SCOPED_TRACE(testing::Message() << c.unit << " " << c.tStart);
        const document::ViewSettings view = centredView(c.unit);
        const SampledCurve circle =
            sampleParametric(plane(std::cos, std::sin), c.tStart, c.tEnd, view, kWidth, kHeight);
        ASSERT_EQ(circle.paths.size(), 1u);
        const SheetPath& path = circle.paths.front();
        EXPECT_EQ(path.front(), path.back());
        EXPECT_LE(longestStep(circle), 2.0);
        // The points and the lines between them.
        const typeset::PointF centre{view.originX, view.originY};
        for (std::size_t i = 1; i < path.size(); ++i) {
            const typeset::PointF mid{(path[i - 1].x + path[i].x) / 2, (path[i - 1].y + path[i].y) / 2};
            ASSERT_NEAR(distance(path[i], centre), c.unit, 0.5) << i;
            ASSERT_NEAR(distance(mid, centre), c.unit, 0.5) << i;
        }
    }
}

TEST(ParametricSampler, NeighbouringPointsLieAtMostTwoPixelsApartAndNearTheSheet) {
    struct Case {
        std::string name;
        PlaneCurve curve;
        double tEnd;
        document::ViewSettings view;
    };
    const PlaneCurve lissajous = [](double t) {
        return std::optional{std::pair{std::sin(3 * t), std::sin(4 * t)}};
    };
    const std::vector<Case> cases = {
        {"cardioid", polar([](double th) { return 1 + std::cos(th); }), 2 * kPi, centredView(400)},
        {"lissajous", lissajous, 2 * kPi, centredView(400)},
        {"spiral", polar([](double th) { return th; }), 20 * kPi, centredView(40)},
        {"spiral mostly off the sheet", polar([](double th) { return th; }), 20 * kPi, centredView(400)},
        {"circle cut by the sheet's bottom", plane(std::cos, std::sin), 2 * kPi,
         viewAt(kWidth / 2.0, kHeight / 2.0 + 2000, 2000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SampledCurve sampled = sampleParametric(c.curve, 0, c.tEnd, c.view, kWidth, kHeight);
        ASSERT_FALSE(sampled.paths.empty());
        EXPECT_LE(longestStep(sampled), 2.0);
        EXPECT_TRUE(nearTheSheet(sampled, kWidth, kHeight));
        EXPECT_FALSE(sampled.budgetExhausted);
    }
}

TEST(ParametricSampler, NegativeRadiusDrawsTheInnerLoopOnTheOppositeRay) {
    const document::ViewSettings view = centredView(100);
    const SampledCurve limacon = sampleParametric(polar([](double th) { return 1 + 2 * std::cos(th); }), 0,
                                                  2 * kPi, view, kWidth, kHeight);
    struct Probe {
        double x, y;
        bool onCurve;
    };
    // theta = pi gives r = -1: the point (1, 0), not (-1, 0).
    for (const Probe& p : {Probe{3, 0, true}, Probe{1, 0, true}, Probe{0, 0, true}, Probe{-1, 0, false}}) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        EXPECT_EQ(passesNear(limacon, {view.sheetX(p.x), view.sheetY(p.y)}, 1.0), p.onCurve);
    }
}

TEST(ParametricSampler, NarrowSpikeSeenAsASharpTurnIsFollowedToItsTop) {
    // The grid samples t = 0 on the spike's foot, 1.5 px up: close to its neighbours, but turning sharply.
    const PlaneCurve spike = [](double t) {
        return std::optional{std::pair{t, 2 * std::exp(-std::pow((t - 0.001) / 0.0005, 2))}};
    };
    const document::ViewSettings view = centredView(40);
    const SampledCurve sampled = sampleParametric(spike, -1, 1, view, kWidth, kHeight);
    EXPECT_TRUE(passesNear(sampled, {view.sheetX(0.001), view.sheetY(2)}, 0.5));
}

TEST(ParametricSampler, JumpsToInfinityBreakTheStrokeWhichRunsOnToTheBorder) {
    struct Case {
        std::string name;
        PlaneCurve curve;
        std::size_t strokes;
    };
    const std::vector<Case> cases = {
        {"x = tan t, y = t", plane(std::tan, [](double t) { return t; }), 3},
        // The line x = 1: the pieces before the first pole and after the last meet at the range's ends.
        {"r = 1 / cos theta", polar([](double th) { return 1 / std::cos(th); }), 2},
    };
    const document::ViewSettings view = viewAt(kWidth / 2.0, kHeight / 2.0 + 300, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SampledCurve sampled = sampleParametric(c.curve, 0, 2 * kPi, view, kWidth, kHeight);
        // Both poles, at pi/2 and 3pi/2, part the curve; no line crosses them.
        ASSERT_EQ(sampled.paths.size(), c.strokes);
        EXPECT_LE(longestStep(sampled), 2.0);
        int endsAtBorder = 0;
        for (const SheetPath& path : sampled.paths)
            endsAtBorder += onOrBeyondBorder(path.front(), kWidth, kHeight) +
                            onOrBeyondBorder(path.back(), kWidth, kHeight);
        EXPECT_EQ(endsAtBorder, 4);
    }
}

std::optional<double> root(double v) {
    return v >= 0 ? std::optional{std::sqrt(v)} : std::nullopt;
}

TEST(ParametricSampler, StrokesReachTheEndsOfTheDefinedParts) {
    struct Case {
        std::string name;
        PlaneCurve curve;
        double tStart, tEnd;
        std::size_t strokes;
        std::vector<typeset::PointF> edges; // plane points where the curve stops being defined
    };
    const auto graphOf = [](double (*f)(double)) -> PlaneCurve {
        return [f](double t) -> std::optional<std::pair<double, double>> {
            const std::optional<double> y = root(f(t));
            if (!y) return std::nullopt;
            return std::pair{t, *y};
        };
    };
    const std::vector<Case> cases = {
        {"y = sqrt(t)", graphOf([](double t) { return t; }), -1, 1, 1, {{0, 0}}},
        {"upper unit semicircle", graphOf([](double t) { return 1 - t * t; }), -2, 2, 1, {{-1, 0}, {1, 0}}},
        // The right loop runs through the ends of the range and is one stroke.
        {"lemniscate", polarCurve([](double th) { return root(std::cos(2 * th)); }), 0, 2 * kPi, 2,
         std::vector<typeset::PointF>(4, {0, 0})},
    };
    const document::ViewSettings view = centredView(400);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SampledCurve sampled = sampleParametric(c.curve, c.tStart, c.tEnd, view, kWidth, kHeight);
        ASSERT_EQ(sampled.paths.size(), c.strokes);
        std::vector<typeset::PointF> ends;
        for (const SheetPath& path : sampled.paths) {
            ends.push_back(path.front());
            ends.push_back(path.back());
        }
        for (const typeset::PointF& e : c.edges) {
            const typeset::PointF edge{view.sheetX(e.x), view.sheetY(e.y)};
            const auto nearest = std::min_element(ends.begin(), ends.end(), [&](auto a, auto b) {
                return distance(a, edge) < distance(b, edge);
            });
            EXPECT_LE(distance(*nearest, edge), 0.5) << e.x << ", " << e.y;
            ends.erase(nearest); // each edge has its own stroke end
        }
        EXPECT_LE(longestStep(sampled), 2.0);
    }
}

TEST(ParametricSampler, WildCurveStaysWithinTheBudget) {
    for (const SampleBudget budget : {SampleBudget{}, SampleBudget{3000}}) {
        SCOPED_TRACE(budget.maxPoints);
        int evaluations = 0;
        const PlaneCurve wild = [&evaluations](double t) {
            ++evaluations;
            return std::optional{std::pair{t, std::sin(1e4 * t)}};
        };
        const SampledCurve sampled =
            sampleParametric(wild, 0, 2 * kPi, viewAt(0, kHeight / 2.0, 300), kWidth, kHeight, budget);
        EXPECT_LE(evaluations, budget.maxPoints);
        EXPECT_TRUE(sampled.budgetExhausted);
        std::size_t points = 0;
        for (const SheetPath& path : sampled.paths)
            points += path.size();
        EXPECT_LE(points, 2 * static_cast<std::size_t>(budget.maxPoints));
        EXPECT_TRUE(nearTheSheet(sampled, kWidth, kHeight));
    }
}

TEST(ParametricSampler, UnusableInputDrawsNothingOrStaysFinite) {
    const PlaneCurve circle = plane(std::cos, std::sin);
    struct Case {
        std::string name;
        PlaneCurve curve;
        double tStart, tEnd;
        document::ViewSettings view;
        bool drawn;
    };
    const std::vector<Case> cases = {
        {"empty range", circle, 1, 1, centredView(100), false},
        {"no start", circle, kNan, 1, centredView(100), false},
        {"infinite end", circle, 0, kInf, centredView(100), false},
        {"range overflows", circle, -1e308, 1e308, centredView(100), false},
        {"zero unit", circle, 0, 1, centredView(0), false},
        {"no curve", PlaneCurve{}, 0, 1, centredView(100), false},
        {"never defined", [](double) { return std::optional<std::pair<double, double>>{}; }, 0, 1,
         centredView(100), false},
        {"not a number",
         [](double) {
             return std::optional{std::pair{kNan, 0.0}};
         },
         0, 1, centredView(100), false},
        {"beyond every double",
         [](double t) {
             return std::optional{std::pair{std::exp(t), t}};
         },
         0, 1000, viewAt(0, kHeight, 100), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SampledCurve sampled = sampleParametric(c.curve, c.tStart, c.tEnd, c.view, kWidth, kHeight);
        EXPECT_EQ(!sampled.paths.empty(), c.drawn);
        EXPECT_TRUE(nearTheSheet(sampled, kWidth, kHeight));
    }
}

} // namespace
} // namespace quorvel::graph

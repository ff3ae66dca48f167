// Reading curves: points of interest and intersections against answers worked out by hand (closed forms),
// the points that must never appear (poles, jumps, holes, inflections) and those that must never be
// missed (double roots, domain ends, kinks, touching curves), values and tables.
#include "CurveTestSupport.h"

#include "expr/Conversion.h"
#include "graph/BrentSolver.h"
#include "graph/CurveAnalysis.h"
#include "graph/CurveFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::graph {
namespace {

using Kind = PointKind;
constexpr double kPi = std::numbers::pi;
constexpr double kE = std::numbers::e;

// Typed text on the CLI's road: conversion, then the curve of its function form.
CurveFunction typed(const std::string& text, std::vector<NamedValue> values = {}) {
    const expr::Conversion conversion = expr::convertText(text, expr::Road::Value);
    EXPECT_TRUE(conversion.ok()) << text;
    std::optional<CurveFunction> f =
        CurveFunction::fromText(conversion.functionForm, expr::TextKind::FunctionForm, values);
    EXPECT_TRUE(f) << text;
    return f ? std::move(*f) : CurveFunction();
}

struct Expected {
    Kind kind;
    double x;
    double y;
};

// The promised precision: zeros to 1e-10·max(1, |x|), extrema to 1e-7·max(1, |x|), values to 1e-12.
bool matches(const PointOfInterest& p, const Expected& e) {
    const double xTolerance =
        (e.kind == Kind::Minimum || e.kind == Kind::Maximum ? 1e-7 : 1e-10) * std::max(1.0, std::fabs(e.x));
    return p.kind == e.kind && std::fabs(p.x - e.x) <= xTolerance &&
           std::fabs(p.y - e.y) <= 1e-12 * std::max(1.0, std::fabs(e.y));
}

std::string listed(const std::vector<PointOfInterest>& points) {
    std::ostringstream out;
    out.precision(17);
    for (const PointOfInterest& p : points)
        out << pointKindName(p.kind) << " " << p.x << " " << p.y << "; ";
    return out.str();
}

// Every expected point is found once, and nothing else: no false point, no missed one.
void expectPoints(const std::vector<PointOfInterest>& points, const std::vector<Expected>& expected,
                  const std::string& what) {
    SCOPED_TRACE(what + ": " + listed(points));
    EXPECT_EQ(points.size(), expected.size());
    for (const Expected& e : expected) {
        const auto found = std::count_if(points.begin(), points.end(),
                                         [&e](const PointOfInterest& p) { return matches(p, e); });
        EXPECT_EQ(found, 1) << pointKindName(e.kind) << " at " << e.x;
    }
    for (std::size_t k = 1; k < points.size(); ++k) {
        const bool ordered = points[k - 1].x < points[k].x ||
                             (points[k - 1].x == points[k].x && points[k - 1].kind < points[k].kind);
        EXPECT_TRUE(ordered) << "point " << k;
    }
}

struct Case {
    const char* text;
    double from;
    double to;
    std::vector<Expected> points;
};

const double kSqrt2 = std::sqrt(2.0);
const double kSqrt3 = std::sqrt(3.0);

TEST(CurveAnalysis, PointsOfInterestMatchTheClosedForms) {
    const std::vector<Case> cases{
        {"y=x^2-4x+3",
         -10,
         10,
         {{Kind::YIntercept, 0, 3}, {Kind::Zero, 1, 0}, {Kind::Minimum, 2, -1}, {Kind::Zero, 3, 0}}},
        {"x^2-2",
         -10,
         10,
         {{Kind::Zero, -kSqrt2, 0},
          {Kind::Minimum, 0, -2},
          {Kind::YIntercept, 0, -2},
          {Kind::Zero, kSqrt2, 0}}},
        {"x^3-3x",
         -10,
         10,
         {{Kind::Zero, -kSqrt3, 0},
          {Kind::Maximum, -1, 2},
          {Kind::Zero, 0, 0},
          {Kind::YIntercept, 0, 0},
          {Kind::Minimum, 1, -2},
          {Kind::Zero, kSqrt3, 0}}},
        {"x^4-5x^2+4",
         -10,
         10,
         {{Kind::Zero, -2, 0},
          {Kind::Minimum, -std::sqrt(2.5), -2.25},
          {Kind::Zero, -1, 0},
          {Kind::Maximum, 0, 4},
          {Kind::YIntercept, 0, 4},
          {Kind::Zero, 1, 0},
          {Kind::Minimum, std::sqrt(2.5), -2.25},
          {Kind::Zero, 2, 0}}},
        {"e^x-2", -10, 10, {{Kind::YIntercept, 0, -1}, {Kind::Zero, std::log(2.0), 0}}},
        {"x*e^(-x)", -2, 10, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}, {Kind::Maximum, 1, 1 / kE}}},
        {"sin x",
         -4,
         4,
         {{Kind::Zero, -kPi, 0},
          {Kind::Minimum, -kPi / 2, -1},
          {Kind::Zero, 0, 0},
          {Kind::YIntercept, 0, 0},
          {Kind::Maximum, kPi / 2, 1},
          {Kind::Zero, kPi, 0}}},
        {"cos(2x)",
         0.5,
         3,
         {{Kind::Zero, kPi / 4, 0}, {Kind::Minimum, kPi / 2, -1}, {Kind::Zero, 3 * kPi / 4, 0}}},
        {"ext(x,3)", -1, 1, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}}}, // a vertical tangent
        {"ext(x-1,3)", -5, 5, {{Kind::YIntercept, 0, -1}, {Kind::Zero, 1, 0}}},
        {"1/(x-1)+1", -10, 10, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"x*ln(x)", -1, 3, {{Kind::Minimum, 1 / kE, -1 / kE}, {Kind::Zero, 1, 0}}}, // 0 is no zero: ln 0
        {"sin(x)/x", -3, 3.3, {{Kind::Zero, kPi, 0}}}, // no maximum at 0, where it has no value
    };
    for (const Case& c : cases)
        expectPoints(pointsOfInterest(typed(c.text), {c.from, c.to, 1920}).points, c.points, c.text);
}

TEST(CurveAnalysis, NoFalsePointAtAPoleAJumpAHoleOrAnInflection) {
    const std::vector<Case> cases{
        {"tan x", 1, 2, {}},
        {"tan x", -2, 2, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"1/x", -1, 1, {}},
        {"1/x", -1.3, 0.7, {}}, // the pole between two grid points
        {"x/|x|", -1, 1, {}},
        {"lak(2,con(1,-1,x<0);con(1,1,x>=0))", -1, 1, {{Kind::YIntercept, 0, 1}}},
        {"lak(2,con(1,x-0.5,x<0);con(1,x+0.5,x>=0))", -1, 1, {{Kind::YIntercept, 0, 0.5}}},
        {"lak(2,con(1,x,x<0);con(1,1,x>=0))", -1, 1, {{Kind::YIntercept, 0, 1}}}, // runs into 0, never there
        {"x^3", -10, 10, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"x^3+1", -10, 10, {{Kind::Zero, -1, 0}, {Kind::YIntercept, 0, 1}}},
        {"x^3-3x^2+3x-1", -10, 10, {{Kind::YIntercept, 0, -1}, {Kind::Zero, 1, 0}}}, // (x-1)³ expanded
        {"x*x*x/x", -3, 3.3, {}},                                                    // x² with a hole at 0
        {"sin(x)^2+cos(x)^2-1", -10, 10, {{Kind::YIntercept, 0, 0}}},                // 0 up to rounding
        {"0*x", -10, 10, {{Kind::YIntercept, 0, 0}}},
        {"sqrt(x)", -1, 1, {{Kind::Zero, 0, 0}, {Kind::YIntercept, 0, 0}}}, // no minimum at the end
        {"1/x^2", -1, 1, {}},
    };
    for (const Case& c : cases)
        expectPoints(pointsOfInterest(typed(c.text), {c.from, c.to, 1920}).points, c.points, c.text);
}

TEST(CurveAnalysis, NoMissedPointThatTheGridCanSee) {
    const std::vector<Case> cases{
        {"x^2", -10, 10, {{Kind::Zero, 0, 0}, {Kind::Minimum, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"x^2", -1.3, 0.7, {{Kind::Zero, 0, 0}, {Kind::Minimum, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"(x-1)^2(x+2)",
         -10,
         10,
         {{Kind::Zero, -2, 0},
          {Kind::Maximum, -1, 4},
          {Kind::YIntercept, 0, 2},
          {Kind::Zero, 1, 0},
          {Kind::Minimum, 1, 0}}},
        {"x^2-2x+1", -10, 10, {{Kind::YIntercept, 0, 1}, {Kind::Zero, 1, 0}, {Kind::Minimum, 1, 0}}},
        {"sqrt(4-x^2)",
         -10,
         10,
         {{Kind::Zero, -2, 0}, {Kind::Maximum, 0, 2}, {Kind::YIntercept, 0, 2}, {Kind::Zero, 2, 0}}},
        {"sqrt(2-x^2)",
         -3,
         3.3,
         {{Kind::Zero, -kSqrt2, 0},
          {Kind::Maximum, 0, kSqrt2},
          {Kind::YIntercept, 0, kSqrt2},
          {Kind::Zero, kSqrt2, 0}}},
        {"|x|-1",
         -10,
         10,
         {{Kind::Zero, -1, 0}, {Kind::Minimum, 0, -1}, {Kind::YIntercept, 0, -1}, {Kind::Zero, 1, 0}}},
        {"|x-0.3|-1",
         -1.3,
         0.7,
         {{Kind::Zero, -0.7, 0}, {Kind::YIntercept, 0, -0.7}, {Kind::Minimum, 0.3, -1}}},
        {"e^x-x-1", -10, 10, {{Kind::Zero, 0, 0}, {Kind::Minimum, 0, 0}, {Kind::YIntercept, 0, 0}}},
        {"arcsin(x)-pi/2",
         -3,
         3,
         {{Kind::YIntercept, 0, -kPi / 2}, {Kind::Zero, 1, 0}}}, // at the domain's end
        // Both zeros within one grid step, found through the minimum between them.
        {"x^2-0.000001",
         -10,
         10,
         {{Kind::Zero, -0.001, 0},
          {Kind::Minimum, 0, -1e-6},
          {Kind::YIntercept, 0, -1e-6},
          {Kind::Zero, 0.001, 0}}},
        // Zeros a step or less from a pole, seen once the steep steps are refined.
        {"tan(x)-1000", 1, 2, {{Kind::Zero, std::atan(1000.0), 0}}},
        {"1/x^2-10^6", -1, 1, {{Kind::Zero, -0.001, 0}, {Kind::Zero, 0.001, 0}}},
    };
    for (const Case& c : cases)
        expectPoints(pointsOfInterest(typed(c.text), {c.from, c.to, 1920}).points, c.points, c.text);
}

TEST(CurveAnalysis, CurveItemsWithTheirParametersAndDomains) {
    document::DEFINEFUN sine = curvetest::curveItem("Y=A*sin(B*X+C)", document::KindTemplateFunction);
    curvetest::setParams(sine, {2, 3, 0.5});
    expectPoints(pointsOfInterest(CurveFunction::fromItem(sine), {0, 2, 800}).points,
                 {{Kind::YIntercept, 0, 2 * std::sin(0.5)},
                  {Kind::Maximum, (kPi / 2 - 0.5) / 3, 2},
                  {Kind::Zero, (kPi - 0.5) / 3, 0},
                  {Kind::Minimum, (3 * kPi / 2 - 0.5) / 3, -2},
                  {Kind::Zero, (2 * kPi - 0.5) / 3, 0}},
                 "template");

    // A domain's end is no extremum; a zero there is a zero.
    document::DEFINEFUN parabola = curvetest::curveItem("Y=X*X-1");
    parabola.domainStart = 0;
    parabola.domainEnd = 5;
    expectPoints(pointsOfInterest(CurveFunction::fromItem(parabola), {-10, 10, 1920}).points,
                 {{Kind::YIntercept, 0, -1}, {Kind::Zero, 1, 0}}, "domain [0, 5]");
    document::DEFINEFUN line = curvetest::curveItem("Y=X-1");
    line.domainStart = 1;
    line.domainEnd = 3;
    expectPoints(pointsOfInterest(CurveFunction::fromItem(line), {-10, 10, 1920}).points,
                 {{Kind::Zero, 1, 0}}, "domain [1, 3]");

    // As the drawing: a name that is no parameter has no value.
    const CurveFunction unnamed = CurveFunction::fromItem(curvetest::curveItem("Y=k*X"));
    EXPECT_FALSE(unnamed.empty());
    EXPECT_FALSE(unnamed(1));
    // No curve: a formula picture, a text the parser refuses.
    EXPECT_TRUE(CurveFunction::fromItem(curvetest::curveItem("x+1", document::KindFormulaPicture)).empty());
    EXPECT_TRUE(CurveFunction::fromItem(curvetest::curveItem("lak(99999,x)")).empty());
    std::string refusal;
    EXPECT_FALSE(CurveFunction::fromText("lak(99999,x)", expr::TextKind::Markup, {}, &refusal));
    EXPECT_FALSE(refusal.empty());
}

TEST(CurveAnalysis, TextCurvesTakeTheNamesGivenAndCollectTheOthers) {
    const CurveFunction line = typed("k*x+b", {{"k", 2}, {"b", -3}});
    EXPECT_EQ(line(1), -1);
    expectPoints(pointsOfInterest(line, {-10, 10, 1920}).points,
                 {{Kind::YIntercept, 0, -3}, {Kind::Zero, 1.5, 0}}, "k*x+b");
    EXPECT_EQ(typed("a*x+1")(5), 1); // a is collected with 0
    EXPECT_NEAR(*typed("e*x")(1), kE, 1e-15);
}

TEST(CurveAnalysis, AtMostTwoHundredPointsTheLeftmost) {
    const PointsOfInterest result = pointsOfInterest(typed("sin(30x)"), {-10, 10, 1920});
    EXPECT_TRUE(result.truncated);
    ASSERT_EQ(result.points.size(), static_cast<std::size_t>(kMaxPointsPerCurve));
    // Zeros at kπ/30 and extrema between them, from the left end on.
    EXPECT_NEAR(result.points.front().x, -95 * kPi / 30, 1e-9);
    EXPECT_EQ(result.points.front().kind, Kind::Zero);
    for (std::size_t k = 1; k < result.points.size(); ++k)
        EXPECT_LE(result.points[k - 1].x, result.points[k].x);
    EXPECT_LT(result.points.back().x, 0.6);

    const PointsOfInterest few = pointsOfInterest(typed("sin x"), {-10, 10, 1920});
    EXPECT_FALSE(few.truncated);
}

TEST(CurveAnalysis, NoRangeNoPoints) {
    EXPECT_TRUE(pointsOfInterest(typed("x"), {1, 1, 100}).points.empty());
    EXPECT_TRUE(pointsOfInterest(typed("x"), {0, NAN, 100}).points.empty());
    EXPECT_TRUE(pointsOfInterest(CurveFunction(), {-1, 1, 100}).points.empty());
    // A range given backwards is the same range; a grid of no columns is one step.
    expectPoints(pointsOfInterest(typed("x-0.25"), {1, -1, 0}).points,
                 {{Kind::YIntercept, 0, -0.25}, {Kind::Zero, 0.25, 0}}, "backwards");
}

struct Meeting {
    const char* first;
    const char* second;
    double from;
    double to;
    std::vector<CurvePoint> points;
};

TEST(CurveAnalysis, IntersectionsCrossingTouchingAndEnding) {
    const double h = std::sqrt(0.5);
    const std::vector<Meeting> cases{
        {"e^x", "x+1", -10, 10, {{0, 1}}}, // touching
        {"x^2", "2x-1", -10, 10, {{1, 1}}},
        {"x^2", "x+2", -10, 10, {{-1, 1}, {2, 4}}},
        {"sin x", "cos x", -4, 4, {{-3 * kPi / 4, -h}, {kPi / 4, h}, {5 * kPi / 4, -h}}},
        {"sqrt(x)", "x", -0.7, 3, {{0, 0}, {1, 1}}}, // one ends on the other
        {"tan x", "1", -2, 2, {{kPi / 4, 1}}},       // not at the pole
        {"x", "x", -10, 10, {}},
        {"x", "x+1", -10, 10, {}},
        {"1/x", "-1/x", -1, 1, {}},
    };
    for (const Meeting& m : cases) {
        SCOPED_TRACE(std::string(m.first) + " and " + m.second);
        const Intersections result = intersections(typed(m.first), typed(m.second), {m.from, m.to, 1920});
        ASSERT_EQ(result.points.size(), m.points.size());
        for (std::size_t k = 0; k < m.points.size(); ++k) {
            EXPECT_NEAR(result.points[k].x, m.points[k].x, 1e-10 * std::max(1.0, std::fabs(m.points[k].x)));
            EXPECT_NEAR(result.points[k].y, m.points[k].y, 1e-12 * std::max(1.0, std::fabs(m.points[k].y)));
        }
    }
}

TEST(CurveAnalysis, ValuesAndTables) {
    const CurveFunction sine = typed("sin x");
    EXPECT_EQ(valueAt(typed("sin(x+π)"), 0), 0);  // rounding noise shown as 0
    EXPECT_EQ(valueAt(sine, kPi), std::sin(kPi)); // x is exact: sin of the double nearest π is no noise
    EXPECT_NEAR(*valueAt(sine, 1), std::sin(1.0), 1e-16);
    EXPECT_FALSE(valueAt(typed("ln x"), -1));
    EXPECT_FALSE(valueAt(typed("1/x"), 0));

    const std::vector<TableRow> rows = tableOfValues(typed("ln x"), 0.3, -0.1, 4);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].x, 0.3 - 0.1);
    EXPECT_EQ(rows[3].x, 0); // 0.3 - 3·0.1 is 0, not -5.55E-17
    EXPECT_FALSE(rows[3].y);
    EXPECT_NEAR(*rows[0].y, std::log(0.3), 1e-15);

    const std::vector<TableRow> squares = tableOfValues(typed("x^2"), -1, 0.5, 5);
    const std::vector<double> expected{1, 0.25, 0, 0.25, 1};
    for (std::size_t k = 0; k < squares.size(); ++k)
        EXPECT_EQ(squares[k].y, expected[k]) << k;
    EXPECT_TRUE(tableOfValues(sine, 0, 1, 0).empty());
    EXPECT_EQ(tableOfValues(sine, 0, 1, kMaxTableRows + 5).size(), static_cast<std::size_t>(kMaxTableRows));
}

TEST(BrentSolver, RootsAndMinimaToFullPrecision) {
    const PartialFunction cosMinusX = [](double x) -> std::optional<double> { return std::cos(x) - x; };
    const auto root = brentRoot(cosMinusX, 0, 1, 1, std::cos(1.0) - 1, 1e-300);
    ASSERT_TRUE(root);
    EXPECT_NEAR(root->x, 0.7390851332151607, 2e-16);
    // No sign change, or a point without value on the way: no root.
    EXPECT_FALSE(brentRoot(cosMinusX, 0, 1, 0.5, 0.3, 1e-300));
    const PartialFunction holed = [](double x) -> std::optional<double> {
        if (x > 0.2 && x < 0.8) return std::nullopt;
        return x - 0.5;
    };
    EXPECT_FALSE(brentRoot(holed, 0, -0.5, 1, 0.5, 1e-300));

    const PartialFunction bowl = [](double x) -> std::optional<double> { return (x - 2) * (x - 2) + 1; };
    const MinimumBracket minimum = brentMinimum(bowl, 0, 3, 1, 2, 1e-15, 1e-15);
    EXPECT_NEAR(minimum.x, 2, 1e-7);
    EXPECT_EQ(minimum.fx, 1);
    EXPECT_FALSE(minimum.undefinedWithin);
    const PartialFunction vee = [](double x) -> std::optional<double> { return std::fabs(x - 0.3); };
    EXPECT_NEAR(brentMinimum(vee, -1, 1, 0, 0.3, 1e-15, 1e-15).x, 0.3, 1e-13);
    // A hole where the minimum would be.
    const PartialFunction pit = [](double x) -> std::optional<double> {
        if (x == 0) return std::nullopt;
        return x * x;
    };
    EXPECT_TRUE(brentMinimum(pit, -1, 2, 0.5, 0.25, 1e-15, 1e-15).undefinedWithin);
}

// The work stays bounded however wild the curve: poles, wiggles finer than the grid, noise everywhere.
TEST(CurveAnalysis, WorkIsBoundedPerGridColumn) {
    const std::vector<std::pair<const char*, std::function<double(double)>>> curves{
        {"tan(100x)", [](double x) { return std::tan(100 * x); }},
        {"sin(1/x)", [](double x) { return std::sin(1 / x); }},
        {"sin(1000x)", [](double x) { return std::sin(1000 * x); }},
        // 0 up to rounding, with no noise bound to tell it: every sign is taken at its word.
        {"noise", [](double x) { return std::sin(x) * std::sin(x) + std::cos(x) * std::cos(x) - 1; }},
        {"1/sin(50x)", [](double x) { return 1 / std::sin(50 * x); }},
    };
    constexpr int kColumns = 1920;
    for (const auto& [name, g] : curves) {
        long calls = 0;
        const CurveFunction f([&calls, &g](double x) -> std::optional<double> {
            ++calls;
            const double y = g(x);
            return std::isfinite(y) ? std::optional(y) : std::nullopt;
        });
        const PointsOfInterest result = pointsOfInterest(f, {-10, 10, kColumns});
        EXPECT_LE(calls, 80L * (kColumns + 1)) << name;
        EXPECT_LE(result.points.size(), static_cast<std::size_t>(kMaxPointsPerCurve)) << name;
    }
}

} // namespace
} // namespace quorvel::graph

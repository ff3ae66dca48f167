// Implicit curves and shaded regions on the sheet, against the exact curves: precision of the points and
// of the chords between them, closed parts closed, no line across a pole, small parts found at every
// zoom, saddles drawn whole, region fills that hold the inside points and no outside ones, and the
// budget that bounds the work.
#include "graph/CellCrossings.h"
#include "graph/ImplicitTracer.h"
#include "graph/RegionTracer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::graph {
namespace {

using typeset::PointF;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The 800 x 600 sheet at unit pixels per unit, the origin in the middle or off the pixel grid.
document::ViewSettings viewAt(double unit, bool offGrid = false) {
    document::ViewSettings view = document::ViewSettings::forSheet(kWidth, kHeight);
    if (offGrid) {
        view.originX += 0.37;
        view.originY += 0.21;
    }
    view.unitX = view.unitY = view.unitCommon = unit;
    return view;
}

PointF midpoint(PointF a, PointF b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

double distanceToSegment(PointF p, PointF a, PointF b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToPaths(PointF p, const std::vector<SheetPath>& paths) {
    double nearest = INFINITY;
    for (const SheetPath& path : paths)
        for (std::size_t i = 0; i + 1 < path.size(); ++i)
            nearest = std::min(nearest, distanceToSegment(p, path[i], path[i + 1]));
    return nearest;
}

// The winding number of the fill around p (nonzero: inside).
int winding(const std::vector<SheetPath>& polygons, PointF p) {
    int w = 0;
    for (const SheetPath& poly : polygons)
        for (std::size_t i = 0; i + 1 < poly.size(); ++i) {
            const PointF a = poly[i];
            const PointF b = poly[i + 1];
            const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
            if (a.y <= p.y && b.y > p.y && side > 0) ++w;
            if (a.y > p.y && b.y <= p.y && side < 0) --w;
        }
    return w;
}

double signedArea(const SheetPath& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i + 1 < polygon.size(); ++i)
        twice += polygon[i].x * polygon[i + 1].y - polygon[i + 1].x * polygon[i].y;
    return twice / 2;
}

TEST(ImplicitCurve, CirclesAreClosedTheirPointsExactTheirChordsWithinHalfAPixel) {
    struct Case {
        double unit, cx, cy, radius;
        bool offGrid;
    };
    const Case cases[] = {
        {40, 0, 0, 2, false},          // 80 px
        {40, 1.3, -0.7, 3, true},      // 120 px, off the pixel grid
        {400, 0.2, 0.1, 0.004, true},  // 1.6 px: bent more than a cell can hold
        {100000, 0, 0, 0.0025, false}, // deep zoom, 250 px
        {1, 17, 5, 200, true},         // far zoom, 200 px
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const document::ViewSettings view = viewAt(c.unit, c.offGrid);
        const ImplicitCurve curve = traceImplicit(
            [&](double x, double y) {
                return (x - c.cx) * (x - c.cx) + (y - c.cy) * (y - c.cy) - c.radius * c.radius;
            },
            view, kWidth, kHeight);
        EXPECT_FALSE(curve.budgetExhausted);
        ASSERT_EQ(curve.paths.size(), 1u);
        const SheetPath& path = curve.paths[0];
        EXPECT_EQ(path.front(), path.back());
        const PointF centre{view.sheetX(c.cx), view.sheetY(c.cy)};
        const double radius = c.radius * c.unit;
        auto offCircle = [&](PointF p) {
            return std::abs(std::hypot(p.x - centre.x, p.y - centre.y) - radius);
        };
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            ASSERT_LT(offCircle(path[i]), 1e-6) << i; // solved, not interpolated
            ASSERT_LT(offCircle(midpoint(path[i], path[i + 1])), 0.5) << i;
        }
    }
}

TEST(ImplicitCurve, HyperbolasHaveTwoBranchesAndNothingBetweenThem) {
    struct Case {
        double vertex; // the branches' vertices at ±vertex on their axis
        bool sideways; // x^2 - y^2 = vertex^2, else y^2 - x^2 = vertex^2
    };
    // At 0.01 the vertices lie 0.8 px apart, beside the saddle x^2 = y^2.
    const Case cases[] = {{1, true}, {0.01, false}};
    const document::ViewSettings view = viewAt(40, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.vertex << (c.sideways ? " sideways" : " upright"));
        const ImplicitCurve curve = traceImplicit(
            [&](double x, double y) {
                const double across = c.sideways ? x : y;
                const double along = c.sideways ? y : x;
                return across * across - along * along - c.vertex * c.vertex;
            },
            view, kWidth, kHeight);
        ASSERT_EQ(curve.paths.size(), 2u);
        for (const SheetPath& branch : curve.paths) {
            EXPECT_NE(branch.front(), branch.back());
            const double side = c.sideways ? view.mathX(branch[0].x) : view.mathY(branch[0].y);
            for (const PointF p : branch) {
                const double across = c.sideways ? view.mathX(p.x) : view.mathY(p.y);
                ASSERT_GE(across * std::copysign(1.0, side), c.vertex - 1e-9);
            }
        }
    }
}

TEST(ImplicitCurve, ASaddleCellJoinsTheSideOfItsCentre) {
    using enum Side;
    struct Case {
        std::vector<Side> cycle;
        Side centre;
        std::vector<std::pair<std::size_t, std::size_t>> chords; // (enter, leave) edges
    };
    const Case cases[] = {
        {{Positive, Negative, Positive, Negative}, Positive, {{0, 1}, {2, 3}}},
        {{Positive, Negative, Positive, Negative}, Negative, {{1, 2}, {3, 0}}},
        {{Positive, Negative, Undefined, Positive}, Positive, {}}, // the line ends where f does
    };
    for (const Case& c : cases) {
        std::vector<CrossingPair> pairs;
        pairCrossings(c.cycle, c.centre, pairs);
        std::vector<std::pair<std::size_t, std::size_t>> chords;
        for (const CrossingPair& p : pairs)
            chords.emplace_back(p.enter, p.leave);
        EXPECT_EQ(chords, c.chords);
    }
}

TEST(ImplicitCurve, ASignChangeAcrossAPoleOrAJumpIsNoCurve) {
    struct Case {
        const char* name;
        PlaneFunction f;
    };
    const Case cases[] = {
        {"1/(x-y)=0", [](double x, double y) { return 1 / (x - y); }},
        {"1/x=0", [](double x, double) { return 1 / x; }},
        {"1/cos(x)=0", [](double x, double) { return 1 / std::cos(x); }},
        {"floor(x)+0.5=0", [](double x, double) { return std::floor(x) + 0.5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool offGrid : {false, true})
            EXPECT_TRUE(traceImplicit(c.f, viewAt(40, offGrid), kWidth, kHeight).paths.empty());
    }
    // Beside its poles tan x = 0 draws its zeros x = kπ only, each line whole.
    const document::ViewSettings view = viewAt(40, true);
    const ImplicitCurve tan =
        traceImplicit([](double x, double) { return std::tan(x); }, view, kWidth, kHeight);
    ASSERT_EQ(tan.paths.size(), 7u); // x from -10 to 10
    for (const SheetPath& line : tan.paths) {
        const double k = std::round(view.mathX(line.front().x) / std::numbers::pi);
        EXPECT_NEAR(std::abs(line.front().y - line.back().y), kHeight, 1e-9);
        for (const PointF p : line)
            ASSERT_NEAR(view.mathX(p.x), k * std::numbers::pi, 1e-9);
    }
}

TEST(ImplicitCurve, SmallClosedPartsAreFoundAtEveryZoom) {
    struct Oval {
        double cx, cy, radius;
    };
    struct Case {
        double unit;
        std::vector<Oval> ovals; // a few pixels across
    };
    const Case cases[] = {
        {1, {{3, -2, 2}}},
        {100000, {{0.0003, 0.0001, 0.00002}}},
        {100, {{-0.03, 0.01, 0.015}, {0.03, 0.01, 0.015}}}, // 3 px across, 3 px apart
        {40, {{5.01, 3.02, 0.04}, {-8.7, -6.1, 0.03}}},     // far from the origin
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const document::ViewSettings view = viewAt(c.unit, true);
        const ImplicitCurve curve = traceImplicit(
            [&](double x, double y) {
                double product = 1;
                for (const Oval& o : c.ovals)
                    product *= (x - o.cx) * (x - o.cx) + (y - o.cy) * (y - o.cy) - o.radius * o.radius;
                return product;
            },
            view, kWidth, kHeight);
        ASSERT_EQ(curve.paths.size(), c.ovals.size());
        for (const Oval& o : c.ovals) {
            const PointF centre{view.sheetX(o.cx), view.sheetY(o.cy)};
            EXPECT_NEAR(distanceToPaths(centre, curve.paths), o.radius * c.unit, 0.5);
        }
        for (const SheetPath& path : curve.paths)
            EXPECT_EQ(path.front(), path.back());
    }
}

TEST(ImplicitCurve, CrossingLinesAreDrawnWholeThroughTheirSaddle) {
    struct Case {
        const char* name;
        PlaneFunction f;
        double slopes[2]; // the lines y = slope·x; NAN for x = 0
    };
    const Case cases[] = {
        {"x*y=0", [](double x, double y) { return x * y; }, {0, NAN}},
        {"x^2-y^2=0", [](double x, double y) { return x * x - y * y; }, {1, -1}},
        {"(y-2x)(y+x/3)=0", [](double x, double y) { return (y - 2 * x) * (y + x / 3); }, {2, -1.0 / 3}},
    };
    for (const Case& c : cases) {
        for (const bool offGrid : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (offGrid ? " off the grid" : ""));
            const document::ViewSettings view = viewAt(40, offGrid);
            const ImplicitCurve curve = traceImplicit(c.f, view, kWidth, kHeight);
            for (const double slope : c.slopes)
                for (double t = -7; t <= 7; t += 0.05) {
                    const double x = std::isnan(slope) ? 0 : t;
                    const double y = std::isnan(slope) ? t : slope * t;
                    const PointF p{view.sheetX(x), view.sheetY(y)};
                    if (p.x < 0 || p.x > kWidth || p.y < 0 || p.y > kHeight) continue;
                    ASSERT_LT(distanceToPaths(p, curve.paths), 0.5) << x << ", " << y;
                }
        }
    }
}

TEST(ImplicitCurve, TheBudgetBoundsTheWorkOfAFunctionThatVariesEverywhere) {
    long evaluations = 0;
    const PlaneFunction noise = [&](double x, double y) {
        ++evaluations;
        return std::sin(1000 * x) * std::sin(1000 * y);
    };
    const TraceBudget budget{50'000};
    const ImplicitCurve curve = traceImplicit(noise, viewAt(40), kWidth, kHeight, budget);
    EXPECT_TRUE(curve.budgetExhausted);
    EXPECT_LE(evaluations, budget.maxEvaluations);
    EXPECT_FALSE(curve.paths.empty()); // what was found

    evaluations = 0;
    const RegionConstraint system[] = {{noise, false}, {[](double x, double) { return x; }, true}};
    const RegionShape region = traceRegion(system, viewAt(40), kWidth, kHeight, budget);
    EXPECT_TRUE(region.budgetExhausted);
    EXPECT_LE(evaluations, budget.maxEvaluations);
}

// A region's points in mathematical coordinates.
struct Probe {
    double x, y;
};

struct RegionCase {
    const char* name;
    std::vector<RegionConstraint> system;
    std::vector<Probe> inside, outside;
    double area; // within the sheet, in square units; 0 when not checked
    double perimeter;
};

std::vector<RegionCase> regionCases() {
    return {
        {"y>x^2",
         {{[](double x, double y) { return y - x * x; }, true}},
         {{0, 0.01}, {1, 1.1}, {-2, 4.5}, {0.5, 7}},
         {{0, -0.01}, {1, 0.9}, {-2, 3.9}, {3, 0}},
         0,
         0},
        {"x^2+y^2<=4",
         {{[](double x, double y) { return 4 - x * x - y * y; }, false}},
         {{0, 0}, {1.99, 0}, {1.4, 1.4}, {0, -1.99}},
         {{2.01, 0}, {1.42, 1.42}, {0, -2.01}, {5, 5}},
         4 * std::numbers::pi,
         4 * std::numbers::pi},
        {"lak(3,x+y<=2;x>=0;y>=0)",
         {{[](double x, double y) { return 2 - x - y; }, false},
          {[](double x, double) { return x; }, false},
          {[](double, double y) { return y; }, false}},
         {{0.5, 0.5}, {0.01, 0.01}, {1.98, 0.01}, {0.01, 1.98}},
         {{-0.01, 0.5}, {0.5, -0.01}, {1.01, 1.01}, {3, 3}},
         2,
         4 + 2 * std::numbers::sqrt2},
        // Where the margin has no value the point is outside, however low y is.
        {"y<=sqrt(x)",
         {{[](double x, double y) { return std::sqrt(x) - y; }, false}},
         {{0.01, -5}, {1, 0.9}, {4, 1.9}},
         {{-0.01, -5}, {1, 1.1}, {-3, 0}},
         0,
         0},
    };
}

TEST(Region, TheFillHoldsTheInsideAndNothingElse) {
    for (const bool offGrid : {false, true}) {
        const document::ViewSettings view = viewAt(40, offGrid);
        for (const RegionCase& c : regionCases()) {
            SCOPED_TRACE(std::string(c.name) + (offGrid ? " off the grid" : ""));
            const RegionShape shape = traceRegion(c.system, view, kWidth, kHeight);
            EXPECT_FALSE(shape.budgetExhausted);
            ASSERT_EQ(shape.boundaries.size(), c.system.size());
            for (const Probe& p : c.inside)
                EXPECT_NE(winding(shape.fill, {view.sheetX(p.x), view.sheetY(p.y)}), 0) << p.x << ", " << p.y;
            for (const Probe& p : c.outside)
                EXPECT_EQ(winding(shape.fill, {view.sheetX(p.x), view.sheetY(p.y)}), 0) << p.x << ", " << p.y;
            // Closed, wound alike, within the sheet, and not overlapping: the areas add up to the region's.
            double area = 0;
            for (const SheetPath& polygon : shape.fill) {
                ASSERT_EQ(polygon.front(), polygon.back());
                ASSERT_GT(signedArea(polygon), 0);
                area += signedArea(polygon);
                for (const PointF p : polygon)
                    ASSERT_TRUE(p.x >= 0 && p.x <= kWidth && p.y >= 0 && p.y <= kHeight)
                        << p.x << ", " << p.y;
            }
            if (c.area > 0) {
                EXPECT_NEAR(area, c.area * 40 * 40, 0.05 * c.perimeter * 40);
            }
        }
    }
}

TEST(Region, CornersAreWithinHalfAPixelAndBoundariesAreWholeLines) {
    const RegionCase triangle = regionCases()[2];
    const document::ViewSettings view = viewAt(40, true);
    const RegionShape shape = traceRegion(triangle.system, view, kWidth, kHeight);
    // At each corner, half a pixel along the bisector into the triangle is inside, half a pixel out is not.
    struct Corner {
        double x, y, inwardX, inwardY;
    };
    const double d = 0.5 / std::numbers::sqrt2;
    const double tilt = 0.5 * std::sin(std::numbers::pi / 8); // the bisectors of the 45° corners
    const double along = 0.5 * std::cos(std::numbers::pi / 8);
    const Corner corners[] = {{0, 0, d, -d}, {2, 0, -along, -tilt}, {0, 2, tilt, along}};
    for (const Corner& c : corners) {
        const PointF corner{view.sheetX(c.x), view.sheetY(c.y)};
        EXPECT_NE(winding(shape.fill, {corner.x + c.inwardX, corner.y + c.inwardY}), 0) << c.x << ", " << c.y;
        EXPECT_EQ(winding(shape.fill, {corner.x - c.inwardX, corner.y - c.inwardY}), 0) << c.x << ", " << c.y;
    }
    // Each boundary is its constraint's whole line across the sheet, not only the triangle's side.
    const PointF ends[][2] = {
        {{view.sheetX(-5.4), view.sheetY(7.4)},
         {view.sheetX(9.4), view.sheetY(-7.4)}}, // near the sheet's edges
        {{view.sheetX(0), 0}, {view.sheetX(0), kHeight}},
        {{0, view.sheetY(0)}, {kWidth, view.sheetY(0)}},
    };
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(shape.boundaries[k].size(), 1u);
        EXPECT_LT(distanceToPaths(ends[k][0], shape.boundaries[k]), 0.5);
        EXPECT_LT(distanceToPaths(ends[k][1], shape.boundaries[k]), 0.5);
    }
}

} // namespace
} // namespace quorvel::graph

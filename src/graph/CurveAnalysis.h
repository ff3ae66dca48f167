#pragma once

#include "document/ViewSettings.h"
#include "graph/CurveFunction.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorvel::graph {

// Reading a curve: its zeros, extrema, y-intercept and intersections within an x range, its value at an
// x and a table of values. Plain functions of a CurveFunction: they may run on any thread (one curve on
// one thread at a time) and draw, record and show nothing.
//
// How points are found (docs/decisions.md, "Reading curves"): the curve is evaluated on a grid of
// gridColumns equal steps over the range (both ends included), refined 16-fold (twice at most) in the steps
// where it is steep: a change much larger than its neighbours', a step against the direction of both
// neighbours, a step to where it has no value. Sign changes, grid extrema and the ends of where it has
// values are then solved with the evaluator, by Brent's method to full precision; a zero or extremum is
// kept only when the curve runs continuously into it from both sides (values at 1e-4, 1e-6, … 1e-12 from the
// point approach it), so a pole or a jump is never one. A zero is: a sign change; a value that is 0 within
// its rounding noise, alone among its neighbours; an extremum that touches the axis (its value 0 within its
// noise, or within 1e-9 of its rise over the grid step); the last point with a value where that value is 0
// within its noise. Extrema are interior points only, higher (lower) than the grid points around them by
// more than their noise, with no point without value at or beside them. Zeros are reported to
// |Δx| <= 1e-10·max(1, |x|) (crossing ones to the last digits), extrema to |Δx| <= 1e-7·max(1, |x|) as far as
// the values tell points apart, their values to the rounding noise; of the numbers within half those
// tolerances that are as good a point, the one with the fewest decimals is reported (the vertex of
// x² - 4x + 3 at 2, not 1.99999999867).
enum class PointKind { Zero, Minimum, Maximum, YIntercept }; // in the order points of one x are listed

// "zero", "minimum", "maximum", "y-intercept": the names the CLI prints.
[[nodiscard]] std::string_view pointKindName(PointKind kind);

struct PointOfInterest {
    PointKind kind;
    double x;
    double y; // 0 for a zero; otherwise the value at x, rounding noise shown as 0
};

struct CurvePoint {
    double x;
    double y;
};

// At most this many points per curve and range (per pair for intersections): the leftmost ones.
inline constexpr int kMaxPointsPerCurve = 200;

// The x range read and the grid it is read on (gridColumns steps, taken between 1 and 65536). A range
// given backwards is the same range; one of no width, or not of finite numbers, has no points.
struct AnalysisRange {
    double from = -10;
    double to = 10;
    int gridColumns = 1920;
};

// What a sheet sheetWidth pixels wide shows: its columns 0 … sheetWidth (as the sampler's) as the grid.
[[nodiscard]] AnalysisRange rangeOfView(const document::ViewSettings& view, int sheetWidth);

struct PointsOfInterest {
    std::vector<PointOfInterest> points; // by x, then by kind
    bool truncated = false;              // more than kMaxPointsPerCurve, or the work bound was reached first
};

// Zeros, local minima and maxima, and the y-intercept (when 0 lies in the range and the curve has a value
// there) of f in [range.from, range.to]. A point of several kinds is listed once for each kind.
[[nodiscard]] PointsOfInterest pointsOfInterest(const CurveFunction& f, const AnalysisRange& range);

struct Intersections {
    std::vector<CurvePoint> points; // by x; y is f's value
    bool truncated = false;
};

// Where f and g meet in [range.from, range.to]: the zeros of f - g where both have values, crossing or
// touching, and where one ends on the other.
[[nodiscard]] Intersections intersections(const CurveFunction& f, const CurveFunction& g,
                                          const AnalysisRange& range);

// The value at x exactly as shown (rounding noise as 0), or nothing where the curve has no value; what a
// trace shows. The caller writes "无定义" for nothing.
[[nodiscard]] std::optional<double> valueAt(const CurveFunction& f, double x);

struct TableRow {
    double x;
    std::optional<double> y; // nothing: "无定义"
};

inline constexpr int kMaxTableRows = 10000;

// rows rows (at most kMaxTableRows; none for fewer than 1) at x = start + k·step, k = 0, 1, …: each x
// computed from start and k (no drift), an x within the rounding of that sum of 0 taken as 0, and the value
// there as valueAt shows it.
[[nodiscard]] std::vector<TableRow> tableOfValues(const CurveFunction& f, double start, double step,
                                                  int rows);

} // namespace quorvel::graph

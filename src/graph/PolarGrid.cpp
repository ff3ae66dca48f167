#include "graph/PolarGrid.h"

#include "base/NumberFormat.h"
#include "graph/AxisMarks.h"
#include "graph/AxisSteps.h"
#include "graph/SegmentClip.h"
#include "graph/SheetStyle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel::graph {

using document::ViewSettings;
using typeset::Canvas;
using typeset::Point;

namespace {

// The angles of the rays use this value of pi, so that their end points stay where they always were.
constexpr double kPi = 3.1415926;
constexpr double kTwoPi = 6.2831852;

// A circle whose bounding box stays within this range is drawn as an ellipse; a larger one is cut into
// short chords near the sheet, since the rasteriser cannot hold its full outline.
constexpr double kEllipseLimit = 32767;
constexpr int kMaxChords = 8192;

// Draws the part of the segment inside box; a segment that only touches the box draws nothing.
void clippedLine(Canvas& canvas, double x1, double y1, double x2, double y2, const ClipBox& box) {
    if (!clipSegment(x1, y1, x2, y2, box) || (x1 == x2 && y1 == y2)) return;
    canvas.line(toPixel(x1), toPixel(y1), toPixel(x2), toPixel(y2));
}

// The visible part of a huge circle around a distant centre, as chords of at most a few pixels.
void drawLargeCircle(Canvas& canvas, double cx, double cy, double r, const ClipBox& box) {
    const double boxX = (box.left + box.right) / 2;
    const double boxY = (box.top + box.bottom) / 2;
    double from = 0;
    double to = kTwoPi;
    const bool centreInside = cx >= box.left && cx <= box.right && cy >= box.top && cy <= box.bottom;
    if (!centreInside) {
        const double reference = std::atan2(boxY - cy, boxX - cx);
        double lo = 0;
        double hi = 0;
        const double corners[4][2] = {
            {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
        for (const auto& c : corners) {
            const double delta =
                std::remainder(std::atan2(c[1] - cy, c[0] - cx) - reference, 2 * std::numbers::pi);
            lo = std::min(lo, delta);
            hi = std::max(hi, delta);
        }
        from = reference + lo;
        to = reference + hi;
    }
    const double arc = r * (to - from);
    const int chords = static_cast<int>(std::clamp(std::ceil(arc / 2), 8.0, double(kMaxChords)));
    double px = cx + r * std::cos(from);
    double py = cy + r * std::sin(from);
    for (int j = 1; j <= chords; ++j) {
        const double a = from + (to - from) * j / chords;
        const double nx = cx + r * std::cos(a);
        const double ny = cy + r * std::sin(a);
        clippedLine(canvas, px, py, nx, ny, box);
        px = nx;
        py = ny;
    }
}

void drawCircle(Canvas& canvas, double cx, double cy, double r, const ClipBox& box) {
    const double reach = std::max(std::abs(cx), std::abs(cy)) + r;
    if (reach <= kEllipseLimit)
        canvas.ellipse(typeset::Rect{toPixel(cx - r), toPixel(cy - r), toPixel(cx + r), toPixel(cy + r)});
    else
        drawLargeCircle(canvas, cx, cy, r, box);
}

double distanceToBox(double x, double y, const ClipBox& box) {
    const double dx = std::max({box.left - x, 0.0, x - box.right});
    const double dy = std::max({box.top - y, 0.0, y - box.bottom});
    return std::hypot(dx, dy);
}

// Circles spaced half a major x step apart. The y step only decides when the walk ends, so with a
// smaller y step circles beyond the farthest corner would be walked for nothing: those are skipped, as
// are the ones that cannot reach the sheet from a distant origin.
void drawCircles(Canvas& canvas, const ViewSettings& view, double w, double h, const TickStep& xStep,
                 const std::optional<TickStep>& yStep) {
    double farthest = 0;
    const double corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (const auto& c : corners)
        farthest = std::max(farthest, std::trunc(std::hypot(c[0] - view.originX, c[1] - view.originY)));
    const double rStep = std::trunc(xStep.spacing * 0.5);
    const double qStep = yStep ? std::trunc(yStep->spacing * 0.5) : 0;
    if (!(rStep >= 1) || !std::isfinite(farthest)) return;
    double last = std::max(1.0, std::floor(farthest / rStep));
    if (qStep >= 1) last = std::max(last, std::floor(farthest / qStep));
    last = std::min(last, std::floor(farthest / rStep) + 1);
    const ClipBox box{-2, -2, w + 2, h + 2};
    const double first =
        std::max(1.0, std::ceil((distanceToBox(view.originX, view.originY, box) - 2) / rStep));
    // Counted, not stepped: far from zero a double no longer changes by one, and the circles that meet
    // the sheet are never more than its diagonal holds.
    const double count = std::min(last - first + 1, std::ceil(std::hypot(w, h) / rStep) + 3);
    canvas.setPenColor(kGridGrey);
    for (double n = 0; n < count; ++n)
        drawCircle(canvas, view.originX, view.originY, (first + n) * rStep, box);
}

void drawRays(Canvas& canvas, const ViewSettings& view, int w, int h) {
    canvas.setPenColor(kGridGrey);
    const double ox = view.originX;
    const double oy = view.originY;
    const bool inside = ox > 0 && ox < w && oy > 0 && oy < h;
    const ClipBox sheet{0, 0, double(w), double(h)};
    const double reach = std::abs(ox) + std::abs(oy) + w + h + 10;
    for (int degrees = 15; degrees < 360; degrees += 15) {
        if (inside) {
            const Point end = polarRayEnd(view, w, h, degrees);
            canvas.line(toPixel(ox), toPixel(oy), end.x, end.y);
            continue;
        }
        // The origin lies on or off the border: draw the part of the half-line that crosses the sheet.
        const double theta = degrees * kPi / 180;
        clippedLine(canvas, ox, oy, ox + std::cos(theta) * reach, oy - std::sin(theta) * reach, sheet);
    }
}

} // namespace

Point polarRayEnd(const ViewSettings& view, int width, int height, int degrees) {
    const double w = width;
    const double h = height;
    const double ox = view.originX;
    const double oy = view.originY;
    const double a1 = std::atan(oy / (w - ox));
    const double a2 = kPi - std::atan(oy / ox);
    const double a3 = kPi + std::atan((h - oy) / ox);
    const double a4 = kTwoPi - std::atan((h - oy) / (w - ox));
    const double theta = degrees * kPi / 180;
    const double t = std::tan(theta);
    if (theta < a1 || theta > a4) return {width, toPixel(oy - t * (w - ox))};
    if (theta < a2) return {toPixel(ox + oy / t), 0};
    if (theta < a3) return {0, toPixel(oy + t * ox)};
    return {toPixel(ox - (h - oy) / t), height};
}

void drawPolarGrid(Canvas& canvas, const ViewSettings& view, const SheetGeometry& sheet,
                   const std::optional<TickStep>& xStep, const std::optional<TickStep>& yStep) {
    const int w = sheet.width;
    const int h = sheet.height;
    if (xStep) drawCircles(canvas, view, w, h, *xStep, yStep);
    if (view.gridShown == 1) drawRays(canvas, view, w, h);

    canvas.setPen(kAxisColor, 2, typeset::PenStyle::Solid);
    const int oy = toPixel(view.originY);
    canvas.line(toPixel(view.originX), oy, w, oy);
    canvas.line(w, oy, w - 10, toPixel(view.originY - 5));
    canvas.line(w, oy, w - 10, toPixel(view.originY + 5));

    if (xStep) {
        const TickStep s = *xStep;
        const double stride = xLabelStride(canvas, view, s, sheet.panelWidth);
        forEachStep(view.originX, s.spacing, 1, StepDirection::Forward, 0, sheet.panelWidth,
                    [&](double i, double) {
                        if (!labelledStep(i, stride)) return;
                        canvas.textOut(toPixel(i * s.spacing + view.originX + 2), toPixel(view.originY + 8),
                                       formatGeneral(i * s.step));
                    });
    }

    canvas.setPen(kMarkerColor, 1, typeset::PenStyle::Solid);
    canvas.setBrush(kSheetBackground, typeset::BrushStyle::Clear);
    drawXUnitMarker(canvas, view);
    drawAxisLetter(canvas, toPixel(sheet.panelWidth - 18), toPixel(view.originY - 20), "R");
}

} // namespace quorvel::graph

#include "graph/CoordinateSystem.h"

#include "base/NumberFormat.h"
#include "graph/AxisMarks.h"
#include "graph/AxisSteps.h"
#include "graph/PolarGrid.h"
#include "graph/SheetStyle.h"
#include "graph/TickTable.h"

#include <optional>

namespace quorvel::graph {

using document::ViewSettings;
using typeset::Canvas;
using typeset::PenStyle;

namespace {

enum class Axis { X, Y };
enum class Grade { Minor, Major };

struct GridPass {
    Axis axis;
    Grade grade;
    StepDirection direction;
};

// The order in which the positions are visited; it decides which colour wins where lines overlap.
constexpr GridPass kPasses[] = {
    {Axis::X, Grade::Minor, StepDirection::Forward},  {Axis::Y, Grade::Minor, StepDirection::Forward},
    {Axis::Y, Grade::Minor, StepDirection::Backward}, {Axis::X, Grade::Major, StepDirection::Forward},
    {Axis::X, Grade::Minor, StepDirection::Backward}, {Axis::X, Grade::Major, StepDirection::Backward},
    {Axis::Y, Grade::Major, StepDirection::Forward},  {Axis::Y, Grade::Major, StepDirection::Backward},
};

class RectangularDrawing {
public:
    RectangularDrawing(Canvas& canvas, const ViewSettings& view, const SheetGeometry& sheet)
        : canvas_(canvas), view_(view), sheet_(sheet), xStep_(tickStep(view.unitX)),
          yStep_(tickStep(view.unitY)) {}

    void gridOrTicks() {
        for (const GridPass& pass : kPasses) {
            canvas_.setPenColor(kGridGrey);
            const std::optional<TickStep>& step = pass.axis == Axis::X ? xStep_ : yStep_;
            if (!step) continue;
            const double origin = pass.axis == Axis::X ? view_.originX : view_.originY;
            const double limit = pass.axis == Axis::X ? sheet_.panelWidth : sheet_.panelHeight;
            const double divisor = pass.grade == Grade::Minor ? 10 : 1;
            forEachStep(origin, step->spacing, divisor, pass.direction, 0, limit,
                        [&](double, double position) { mark(pass, toPixel(position)); });
        }
    }

    void axes() {
        canvas_.setPen(kAxisColor, 2, PenStyle::Solid);
        const int ox = toPixel(view_.originX);
        const int oy = toPixel(view_.originY);
        const int w = sheet_.width;
        canvas_.line(0, oy, w, oy);
        canvas_.line(w, oy, w - 12, toPixel(view_.originY - 4));
        canvas_.line(w, oy, w - 12, toPixel(view_.originY + 4));
        canvas_.line(ox, 0, ox, toPixel(sheet_.panelHeight));
        canvas_.line(ox, 0, toPixel(view_.originX - 4), 12);
        canvas_.line(ox, 0, toPixel(view_.originX + 4), 12);
    }

    void labels() {
        if (xStep_) {
            const TickStep s = *xStep_;
            const double stride = xLabelStride(canvas_, view_, s, sheet_.panelWidth);
            const auto xLabel = [&](double i, double) {
                if (!labelledStep(i, stride)) return;
                if (i == 0)
                    canvas_.textOut(toPixel(view_.originX + 4), toPixel(view_.originY + 4), "O");
                else
                    canvas_.textOut(toPixel(i * s.spacing + view_.originX + 2), toPixel(view_.originY + 8),
                                    formatGeneral(i * s.step));
            };
            forEachStep(view_.originX, s.spacing, 1, StepDirection::Forward, 0, sheet_.panelWidth, xLabel);
            forEachStep(view_.originX, s.spacing, 1, StepDirection::Backward, -1, sheet_.panelWidth, xLabel);
        }
        if (yStep_) {
            const TickStep s = *yStep_;
            const double stride = yLabelStride(canvas_, s);
            const auto yLabel = [&](double i, double) {
                if (!labelledStep(i, stride)) return;
                canvas_.textOut(toPixel(view_.originX + 10), toPixel(i * s.spacing + view_.originY),
                                formatGeneral(-(s.step * i)));
            };
            forEachStep(view_.originY, s.spacing, 1, StepDirection::Forward, 1, sheet_.panelHeight, yLabel);
            forEachStep(view_.originY, s.spacing, 1, StepDirection::Backward, -1, sheet_.panelHeight, yLabel);
        }
    }

    void markersAndLetters() {
        canvas_.setPen(kMarkerColor, 1, PenStyle::Solid);
        canvas_.setBrush(kSheetBackground, typeset::BrushStyle::Clear);
        if (sheet_.unitHandles) {
            if (view_.gridKind != document::GridSquare) drawYUnitMarker(canvas_, view_);
            drawXUnitMarker(canvas_, view_);
        }
        drawAxisLetter(canvas_, toPixel(view_.originX - 15), 2, "Y");
        drawAxisLetter(canvas_, toPixel(sheet_.panelWidth - 18), toPixel(view_.originY - 23), "X");
    }

    const std::optional<TickStep>& xStep() const { return xStep_; }
    const std::optional<TickStep>& yStep() const { return yStep_; }

private:
    // One grid position: a line across the sheet when the grid is shown, else a tick on the axis.
    void mark(const GridPass& pass, int at) {
        const bool minor = pass.grade == Grade::Minor;
        if (view_.gridShown == 1) {
            if (minor) canvas_.setPenColor(kMinorGridGrey);
            if (pass.axis == Axis::X)
                canvas_.line(at, 0, at, toPixel(sheet_.panelHeight));
            else
                canvas_.line(0, at, toPixel(sheet_.panelWidth), at);
            return;
        }
        const double half = minor ? 3 : 10;
        if (pass.axis == Axis::X)
            canvas_.line(at, toPixel(view_.originY - half), at, toPixel(view_.originY + half));
        else
            canvas_.line(toPixel(view_.originX - half), at, toPixel(view_.originX + half), at);
    }

    Canvas& canvas_;
    const ViewSettings& view_;
    const SheetGeometry& sheet_;
    std::optional<TickStep> xStep_;
    std::optional<TickStep> yStep_;
};

} // namespace

void drawCoordinateSystem(Canvas& canvas, const ViewSettings& view, const SheetGeometry& sheet) {
    if (view.axesShown != 1) return;
    canvas.setPen(kGridGrey, 1, PenStyle::Solid);
    useLabelFont(canvas);
    RectangularDrawing drawing(canvas, view, sheet);
    if (view.gridKind == document::GridPolar) {
        drawPolarGrid(canvas, view, sheet, drawing.xStep(), drawing.yStep());
        return;
    }
    drawing.gridOrTicks();
    drawing.axes();
    drawing.labels();
    drawing.markersAndLetters();
}

} // namespace quorvel::graph

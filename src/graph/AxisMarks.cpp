#include "graph/AxisMarks.h"

#include "base/NumberFormat.h"
#include "graph/AxisSteps.h"
#include "graph/SheetGeometry.h"
#include "graph/SheetStyle.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

using typeset::Rect;

void useLabelFont(typeset::Canvas& canvas) {
    canvas.setFontName(kSheetFontName);
    canvas.setFontPixelHeight(kSheetFontPixelHeight);
    canvas.setFontStyle(false, false, false, false);
    canvas.setFontColor(kMarkerColor);
    canvas.setBrush(kSheetBackground, typeset::BrushStyle::Clear);
}

void drawXUnitMarker(typeset::Canvas& canvas, const document::ViewSettings& view) {
    canvas.rectangle(Rect{toPixel(view.originX + view.unitX - 3), toPixel(view.originY - 3),
                          toPixel(view.originX + view.unitX + 3), toPixel(view.originY + 3)});
}

void drawYUnitMarker(typeset::Canvas& canvas, const document::ViewSettings& view) {
    canvas.rectangle(Rect{toPixel(view.originX - 3), toPixel(view.originY - view.unitY - 3),
                          toPixel(view.originX + 3), toPixel(view.originY - view.unitY + 3)});
}

namespace {

// Free pixels kept between neighbouring labels.
constexpr double kLabelGap = 4;

double strideFor(double spacing, double extent) {
    const double needed = extent + kLabelGap;
    for (double scale = 1; scale < 1e300; scale *= 10)
        for (double mantissa : {1.0, 2.0, 5.0})
            if (mantissa * scale * spacing >= needed) return mantissa * scale;
    return 1e300;
}

} // namespace

double xLabelStride(typeset::Canvas& canvas, const document::ViewSettings& view, const TickStep& step,
                    double panelWidth) {
    int widest = 0;
    const auto measure = [&](double i, double) {
        if (i != 0) widest = std::max(widest, canvas.textWidth(formatGeneral(i * step.step)));
    };
    forEachStep(view.originX, step.spacing, 1, StepDirection::Forward, 0, panelWidth, measure);
    forEachStep(view.originX, step.spacing, 1, StepDirection::Backward, -1, panelWidth, measure);
    return strideFor(step.spacing, widest);
}

double yLabelStride(typeset::Canvas& canvas, const TickStep& step) {
    return strideFor(step.spacing, canvas.textHeight("0"));
}

bool labelledStep(double i, double stride) {
    return stride <= 1 || std::fmod(i, stride) == 0;
}

void drawAxisLetter(typeset::Canvas& canvas, int x, int y, std::string_view letter) {
    const int saved = canvas.fontSize();
    canvas.setFontSize(kAxisLetterPoints);
    canvas.textOut(x, y, letter);
    canvas.setFontSize(saved);
}

} // namespace quorvel::graph

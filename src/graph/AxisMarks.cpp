#include "graph/AxisMarks.h"

#include "graph/SheetGeometry.h"
#include "graph/SheetStyle.h"

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

void drawAxisLetter(typeset::Canvas& canvas, int x, int y, std::string_view letter) {
    const int saved = canvas.fontSize();
    canvas.setFontSize(kAxisLetterPoints);
    canvas.textOut(x, y, letter);
    canvas.setFontSize(saved);
}

} // namespace quorvel::graph

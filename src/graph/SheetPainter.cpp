#include "graph/SheetPainter.h"

#include "graph/CoordinateSystem.h"
#include "graph/SheetStyle.h"

namespace quorvel::graph {

void Draw_zuobiao(typeset::Canvas& canvas, const document::ViewSettings& view, const SheetGeometry& sheet,
                  const SheetLayers& layers) {
    canvas.setPen(kSheetBackground, 1, typeset::PenStyle::Solid);
    canvas.setBrush(kSheetBackground, typeset::BrushStyle::Solid);
    canvas.fillRect(typeset::Rect{0, 0, sheet.width, sheet.height});
    canvas.setPenColor(kGridGrey);
    drawCoordinateSystem(canvas, view, sheet);
    if (layers.graphItems) layers.graphItems(canvas);
    if (layers.annotations) layers.annotations(canvas);
    if (layers.screenOverlay) layers.screenOverlay(canvas);
}

} // namespace quorvel::graph

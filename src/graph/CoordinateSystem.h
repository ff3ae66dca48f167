#pragma once

#include "document/ViewSettings.h"
#include "graph/SheetGeometry.h"
#include "typeset/Canvas.h"

namespace quorvel::graph {

// Draws the coordinate system of the view on a cleared sheet: square or rectangular grid (or tick marks)
// with axes, arrow heads, tick labels, unit markers and axis letters, or the polar grid. Leaves the canvas
// with a black pen of width 1 and a clear brush for the graph items. Does nothing when the axes are hidden.
void drawCoordinateSystem(typeset::Canvas& canvas, const document::ViewSettings& view,
                          const SheetGeometry& sheet);

} // namespace quorvel::graph

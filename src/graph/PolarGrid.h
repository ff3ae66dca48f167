#pragma once

#include "document/ViewSettings.h"
#include "graph/SheetGeometry.h"
#include "graph/TickTable.h"
#include "typeset/Canvas.h"

#include <optional>

namespace quorvel::graph {

// The polar grid: circles half a major x step apart, the rays every 15 degrees (only with the grid
// shown), the polar axis with its arrow, its labels, the unit marker and the letter "R".
void drawPolarGrid(typeset::Canvas& canvas, const document::ViewSettings& view, const SheetGeometry& sheet,
                   const std::optional<TickStep>& xStep, const std::optional<TickStep>& yStep);

// End point of the ray at `degrees` from the origin for an origin inside the sheet: where the ray leaves
// the W x H bitmap. Exposed for tests.
typeset::Point polarRayEnd(const document::ViewSettings& view, int width, int height, int degrees);

} // namespace quorvel::graph

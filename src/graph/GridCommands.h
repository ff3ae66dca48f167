#pragma once

#include "document/ViewSettings.h"
#include "graph/SheetChange.h"

namespace quorvel::graph {

// The grid and axis commands on the view; the window sets the check marks and applies the change.

// Square grid: both axes take the x unit.
[[nodiscard]] SheetChange selectSquareGrid(document::ViewSettings& view);
[[nodiscard]] SheetChange selectRectangularGrid(document::ViewSettings& view);
[[nodiscard]] SheetChange selectPolarGrid(document::ViewSettings& view);
[[nodiscard]] SheetChange toggleGrid(document::ViewSettings& view);
[[nodiscard]] SheetChange toggleAxes(document::ViewSettings& view);
// The view the program starts with for a sheet of that size: origin in the middle, default units.
[[nodiscard]] SheetChange resetView(document::ViewSettings& view, int sheetWidth, int sheetHeight);

} // namespace quorvel::graph

#pragma once

#include "document/ViewSettings.h"

namespace quorvel::graph {

// The effects of the grid commands on the view; the window sets the check marks, resamples the curves,
// redraws and records the history.

// Square grid: both axes take the x unit.
void selectSquareGrid(document::ViewSettings& view);
void selectRectangularGrid(document::ViewSettings& view);
void selectPolarGrid(document::ViewSettings& view);

} // namespace quorvel::graph

#pragma once

#include "document/ViewSettings.h"

namespace quorvel::graph {

// The panel size when the origin was last fixed (start, new, open, last resize).
struct SheetExtent {
    double width = 0;
    double height = 0;
};

// On resize the origin keeps its relative place: originX := trunc(newWidth * originX / width), likewise
// for y; the extent becomes the new size; the units stay. A dimension that is or was empty (a window
// shrunk to nothing) is left alone, so the origin comes back where it was when the sheet grows again.
void keepOriginOnResize(document::ViewSettings& view, SheetExtent& extent, double newWidth, double newHeight);

} // namespace quorvel::graph

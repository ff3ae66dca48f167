#pragma once

#include "document/ViewSettings.h"
#include "graph/SheetGeometry.h"
#include "typeset/Canvas.h"

#include <functional>

namespace quorvel::graph {

// What lies on the sheet above the coordinate system, drawn in this order: the graph items (curves,
// formula pictures, calculation objects) in slot order, then the annotations in slot order. Each layer
// draws with the pen and brush the coordinate system leaves behind. An empty layer draws nothing.
struct SheetLayers {
    std::function<void(typeset::Canvas&)> graphItems;
    std::function<void(typeset::Canvas&)> annotations;
    // What only the screen shows (the marks and the trace of a curve): never printed or exported.
    std::function<void(typeset::Canvas&)> screenOverlay;
};

// Redraws the whole sheet: white background, the coordinate system when shown, then the layers.
void Draw_zuobiao(typeset::Canvas& canvas, const document::ViewSettings& view, const SheetGeometry& sheet,
                  const SheetLayers& layers = {});

} // namespace quorvel::graph

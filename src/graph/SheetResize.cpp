#include "graph/SheetResize.h"

#include <cmath>

namespace quorvel::graph {

namespace {

void rescale(double& origin, double& extent, double newExtent) {
    if (!(newExtent > 0) || !(extent > 0)) return;
    const double moved = std::trunc(newExtent * origin / extent);
    if (std::isfinite(moved)) origin = moved;
    extent = newExtent;
}

} // namespace

void keepOriginOnResize(document::ViewSettings& view, SheetExtent& extent, double newWidth,
                        double newHeight) {
    rescale(view.originX, extent.width, newWidth);
    rescale(view.originY, extent.height, newHeight);
}

} // namespace quorvel::graph

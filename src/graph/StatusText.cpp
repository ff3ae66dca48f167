#include "graph/StatusText.h"

#include "base/NumberFormat.h"
#include "graph/CoordinateText.h"

#include <cmath>

namespace quorvel::graph {

namespace {

// value cut toward zero to the decimals one pixel of unit holds.
std::string cutToPixel(double pixels, double unit) {
    const double scale = std::pow(10.0, meaningfulDecimals(unit));
    const double cut = std::trunc(pixels * scale / unit) / scale;
    // A unit of zero (only possible from a damaged file) has no coordinates to show.
    return std::isfinite(cut) ? formatGeneral(cut) : "?";
}

} // namespace

std::string mouseCoordinateText(const document::ViewSettings& view, double x, double y,
                                std::string_view pattern) {
    return fillTemplate(pattern,
                        {cutToPixel(x - view.originX, view.unitX), cutToPixel(view.originY - y, view.unitY)});
}

} // namespace quorvel::graph

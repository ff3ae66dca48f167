#include "graph/StatusText.h"

#include "base/NumberFormat.h"

#include <cmath>

namespace quorvel::graph {

namespace {

std::string hundredths(double value) {
    const double cut = std::trunc(value) * 0.01;
    // A unit of zero (only possible from a damaged file) has no coordinates to show.
    return std::isfinite(cut) ? formatGeneral(cut) : "?";
}

} // namespace

std::string mouseCoordinateText(const document::ViewSettings& view, double x, double y) {
    return "当前鼠标的坐标为：(" + hundredths((x - view.originX) * 100 / view.unitX) + "," +
           hundredths((view.originY - y) * 100 / view.unitY) + ")";
}

} // namespace quorvel::graph

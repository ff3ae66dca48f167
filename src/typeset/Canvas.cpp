#include "typeset/Canvas.h"

#include <algorithm>
#include <cmath>

namespace quorvel::typeset {

void Canvas::fillShape(const std::vector<PointF>& points) {
    std::vector<Point> corners;
    corners.reserve(points.size());
    for (const PointF& p : points)
        corners.push_back({static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))});
    fillPolygon(corners);
}

void Canvas::path(const std::vector<PointF>& points) {
    std::vector<Point> rounded;
    rounded.reserve(points.size());
    for (const PointF& p : points) {
        const Point q{static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
        if (rounded.empty() || !(rounded.back() == q)) rounded.push_back(q);
    }
    if (rounded.size() == 1) rounded.push_back(rounded.front());
    if (!rounded.empty()) polyline(rounded);
}

Rect Canvas::plusBar() {
    const int width = textWidth("+");
    const int height = textHeight("+");
    const int stroke = std::max(1, height / 24);
    const int top = height / 2 - stroke / 2;
    return {0, top, width, top + stroke};
}

} // namespace quorvel::typeset

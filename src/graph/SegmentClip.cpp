#include "graph/SegmentClip.h"

#include <cmath>

namespace quorvel::graph {

bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipBox& box) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    int edge0 = -1; // the edge that cut the start, if any
    int edge1 = -1;
    // Each edge as p * t <= q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.left, box.right - x1, y1 - box.top, box.bottom - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            if (t > t0) {
                t0 = t;
                edge0 = k;
            }
        } else {
            if (t < t0) return false;
            if (t < t1) {
                t1 = t;
                edge1 = k;
            }
        }
    }
    // Far-off ends lose precision in the interpolation; the coordinate on the cutting edge is exact.
    const auto place = [&](double t, int edge, double& x, double& y) {
        x = x1 + t * dx;
        y = y1 + t * dy;
        const double edges[4] = {box.left, box.right, box.top, box.bottom};
        if (edge == 0 || edge == 1)
            x = edges[edge];
        else if (edge == 2 || edge == 3)
            y = edges[edge];
    };
    double sx = 0, sy = 0, ex = 0, ey = 0;
    place(t0, edge0, sx, sy);
    place(t1, edge1, ex, ey);
    x1 = sx;
    y1 = sy;
    x2 = ex;
    y2 = ey;
    return true;
}

} // namespace quorvel::graph

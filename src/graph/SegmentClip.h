#pragma once

namespace quorvel::graph {

struct ClipBox {
    double left;
    double top;
    double right;
    double bottom;
};

// Cuts the segment (x1, y1)-(x2, y2) to the part inside box (Liang-Barsky). Returns false when no part of
// it lies inside. Used where a line may start or end far off the sheet, so that pixel conversion never
// has to hold coordinates the rasteriser cannot.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipBox& box);

} // namespace quorvel::graph

#pragma once

#include <cmath>

namespace quorvel::graph {

// The sheet bitmap is W x H; the panel around it is PW x PH (the bitmap fills the panel inside its
// border). Origin and resize arithmetic use the panel, clearing and the arrow heads use the bitmap.
struct SheetGeometry {
    int width = 0;
    int height = 0;
    double panelWidth = 0;
    double panelHeight = 0;
    // The unit markers are handles for the pointer: drawn on the screen, not on paper or in exports.
    bool unitHandles = true;

    static SheetGeometry plain(int w, int h) {
        return {w, h, static_cast<double>(w), static_cast<double>(h)};
    }
};

// Beyond this many pixels nothing is visible and the platform's rasteriser loses precision.
constexpr double kPixelLimit = 1 << 24;

// A sheet coordinate becomes a pixel by truncation toward zero, never by rounding. Values far off the
// sheet are held at kPixelLimit so that a document with a distant origin cannot overflow an int.
inline int toPixel(double v) {
    if (std::isnan(v)) return 0;
    if (v >= kPixelLimit) return static_cast<int>(kPixelLimit);
    if (v <= -kPixelLimit) return -static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

} // namespace quorvel::graph

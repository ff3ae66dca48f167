#include "typeset/BoundsCanvas.h"

#include <algorithm>
#include <cmath>

namespace quorvel::typeset {

void BoundsCanvas::add(const Rect& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (empty_) {
        bounds_ = r;
        empty_ = false;
        return;
    }
    bounds_.left = std::min(bounds_.left, r.left);
    bounds_.top = std::min(bounds_.top, r.top);
    bounds_.right = std::max(bounds_.right, r.right);
    bounds_.bottom = std::max(bounds_.bottom, r.bottom);
}

void BoundsCanvas::textOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    add({x, y, x + textWidth(text), y + textHeight(text)});
    const Rect ink = textInk(text);
    add({x + ink.left, y + ink.top, x + ink.right, y + ink.bottom});
}

void BoundsCanvas::textRect(const Rect& clip, int x, int y, std::string_view text) {
    if (text.empty()) return;
    // What is drawn is the cell and the glyphs' ink, both cut to the clip.
    const Rect ink = textInk(text);
    const Rect cell{x, y, x + textWidth(text), y + textHeight(text)};
    for (const Rect& r : {cell, Rect{x + ink.left, y + ink.top, x + ink.right, y + ink.bottom}})
        add({std::max(r.left, clip.left), std::max(r.top, clip.top), std::min(r.right, clip.right),
             std::min(r.bottom, clip.bottom)});
}

void BoundsCanvas::line(int x1, int y1, int x2, int y2) {
    // A wide pen reaches beyond the line: half its width with square caps, up to its width at the
    // mitred joins of a polyline. A one-pixel pen covers just the line's pixels.
    const int reach = penWidth_ > 1 ? penWidth_ : 0;
    add({std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + 1 + reach,
         std::max(y1, y2) + 1 + reach});
}

// A filled shape's corners lie between pixels: its ink ends at the pixel before its rightmost and lowest
// corner.
void BoundsCanvas::fillPolygon(const std::vector<Point>& points) {
    if (points.empty()) return;
    Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    add(r);
}

void BoundsCanvas::fillShape(const std::vector<PointF>& points) {
    if (points.empty()) return;
    double left = points[0].x, top = points[0].y, right = left, bottom = top;
    for (const PointF& p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    // Corners far outside any picture are pulled in, so every pixel index fits an int.
    auto pixel = [](double v) {
        constexpr double kFar = 1 << 28;
        return static_cast<int>(v < -kFar ? -kFar : v > kFar ? kFar : v);
    };
    add({pixel(std::floor(left)), pixel(std::floor(top)), pixel(std::ceil(right)), pixel(std::ceil(bottom))});
}

void BoundsCanvas::polyline(const std::vector<Point>& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

} // namespace quorvel::typeset

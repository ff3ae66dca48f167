#include "typeset/BoundsCanvas.h"

#include <algorithm>

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
    const Rect cell{x, y, x + textWidth(text), y + textHeight(text)};
    add({std::max(cell.left, clip.left), std::max(cell.top, clip.top), std::min(cell.right, clip.right),
         std::min(cell.bottom, clip.bottom)});
}

void BoundsCanvas::line(int x1, int y1, int x2, int y2) {
    // A wide pen reaches beyond the line: half its width with square caps, up to its width at the
    // mitred joins of a polyline. A one-pixel pen covers just the line's pixels.
    const int reach = penWidth_ > 1 ? penWidth_ : 0;
    add({std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + 1 + reach,
         std::max(y1, y2) + 1 + reach});
}

void BoundsCanvas::fillPolygon(const std::vector<Point>& points) {
    for (const Point& p : points)
        add({p.x, p.y, p.x + 1, p.y + 1});
}

void BoundsCanvas::polyline(const std::vector<Point>& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

} // namespace quorvel::typeset

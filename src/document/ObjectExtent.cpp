#include "document/ObjectExtent.h"

#include <algorithm>
#include <climits>
#include <functional>

namespace quorvel::document {

namespace {

void forEachBox(const Document& doc, const std::function<void(const PixelBox&)>& visit) {
    const auto take = [&](const PixelBox& box) {
        if (box.right > box.left && box.bottom > box.top) visit(box);
    };
    for (int i = 0; i < doc.curveCount(); ++i) {
        const DEFINEFUN& c = doc.curve(i);
        take({c.labelLeft, c.labelTop, c.labelRight, c.labelBottom});
    }
    for (int j = 0; j < doc.remarkCount(); ++j) {
        const REMARK& r = doc.remark(j);
        take({r.left, r.top, r.right, r.bottom});
    }
}

struct Span {
    int start = 0;
    int length = 0;
};

// One axis of coveringFrame; long long because boxes may lie near the ends of int.
Span coveringSpan(long long low, long long high, int minimum, int margin, int maxSide) {
    const long long start = low < 0 ? low - margin : 0;
    const long long end = std::max<long long>(minimum, high + margin);
    if (end - start <= maxSide) return {static_cast<int>(start), static_cast<int>(end - start)};
    return {0, static_cast<int>(std::clamp<long long>(end, 1, maxSide))};
}

int moved(int value, int by) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) + by, INT_MIN, INT_MAX));
}

} // namespace

std::optional<PixelBox> objectsExtent(const Document& doc) {
    std::optional<PixelBox> extent;
    forEachBox(doc, [&](const PixelBox& box) {
        if (!extent) {
            extent = box;
            return;
        }
        extent->left = std::min(extent->left, box.left);
        extent->top = std::min(extent->top, box.top);
        extent->right = std::max(extent->right, box.right);
        extent->bottom = std::max(extent->bottom, box.bottom);
    });
    return extent;
}

int objectsOutside(const Document& doc, int width, int height) {
    int outside = 0;
    forEachBox(doc, [&](const PixelBox& box) {
        if (box.left < 0 || box.top < 0 || box.right > width || box.bottom > height) ++outside;
    });
    return outside;
}

SheetFrame coveringFrame(const std::optional<PixelBox>& extent, int minWidth, int minHeight, int margin,
                         int maxSide) {
    if (!extent) return {0, 0, minWidth, minHeight};
    const Span x = coveringSpan(extent->left, extent->right, minWidth, margin, maxSide);
    const Span y = coveringSpan(extent->top, extent->bottom, minHeight, margin, maxSide);
    return {x.start, y.start, x.length, y.length};
}

void moveDrawing(Document& doc, int dx, int dy) {
    doc.view.originX += dx;
    doc.view.originY += dy;
    const auto shift = [](int& low, int& high, int by) {
        low = moved(low, by);
        high = moved(high, by);
    };
    for (int i = 0; i < doc.curveCount(); ++i) {
        DEFINEFUN& c = doc.curve(i);
        shift(c.labelLeft, c.labelRight, dx);
        shift(c.labelTop, c.labelBottom, dy);
    }
    for (int j = 0; j < doc.remarkCount(); ++j) {
        REMARK& r = doc.remark(j);
        shift(r.left, r.right, dx);
        shift(r.top, r.bottom, dy);
    }
}

} // namespace quorvel::document

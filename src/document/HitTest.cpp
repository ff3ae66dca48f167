#include "document/HitTest.h"

#include <cmath>

namespace quorvel::document {

namespace {

// A press this close to a curve's line (pixels) is on it.
constexpr double kLineTolerance = 5;

bool strictlyInside(double x, double y, int left, int top, int right, int bottom) {
    return left < x && x < right && top < y && y < bottom;
}

bool boxHit(const DEFINEFUN& c, double x, double y) {
    return strictlyInside(x, y, c.labelLeft, c.labelTop, c.labelRight, c.labelBottom);
}

} // namespace

int itemBoxAt(const Document& doc, double x, double y) {
    for (int i = 0; i < doc.curveCount(); ++i)
        if (boxHit(doc.curve(i), x, y)) return i;
    return -1;
}

bool curveLineHit(const Document& doc, const DEFINEFUN& item, double x, double y) {
    if (item.isPlaneCurve()) return item.shape && item.shape->lineNear(x, y, kLineTolerance);
    if (!item.isCurve() || !std::isfinite(x) || x < 0 || x >= item.sampleColumns()) return false;
    const int column = static_cast<int>(x);
    if (!item.hasValueAt(column)) return false;
    const double row =
        std::trunc(doc.view.originY - item.ys[static_cast<std::size_t>(column)] * doc.view.unitY);
    return std::abs(row - y) < kLineTolerance;
}

int curveLineAt(const Document& doc, double x, double y) {
    for (int i = 0; i < doc.curveCount(); ++i)
        if (curveLineHit(doc, doc.curve(i), x, y)) return i;
    return -1;
}

int itemAt(const Document& doc, double x, double y) {
    for (int i = 0; i < doc.curveCount(); ++i)
        if (boxHit(doc.curve(i), x, y) || curveLineHit(doc, doc.curve(i), x, y)) return i;
    return -1;
}

int remarkAt(const Document& doc, double x, double y) {
    for (int j = 0; j < doc.remarkCount(); ++j) {
        const REMARK& r = doc.remark(j);
        if (strictlyInside(x, y, r.left, r.top, r.right, r.bottom)) return j;
    }
    return -1;
}

ObjectRef copyTargetAt(const Document& doc, double x, double y) {
    if (const int i = itemBoxAt(doc, x, y); i >= 0) return {ObjectRef::Curve, i};
    if (const int i = curveLineAt(doc, x, y); i >= 0) return {ObjectRef::Curve, i};
    if (const int j = remarkAt(doc, x, y); j >= 0) return {ObjectRef::Remark, j};
    return {};
}

} // namespace quorvel::document

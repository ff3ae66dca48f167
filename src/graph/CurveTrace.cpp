#include "graph/CurveTrace.h"

#include "graph/CoordinateText.h"
#include "graph/CurveAnalysis.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveMarks.h"

#include <cmath>

namespace quorvel::graph {

namespace {

int firstCurve(const document::Document& doc) {
    if (!doc.selection.empty()) {
        const document::ObjectRef last = doc.resolve(doc.selection.last());
        if (last.type == document::ObjectRef::Curve && doc.curve(last.slot).isCurve()) return last.slot;
    }
    for (int i = 0; i < doc.curveCount(); ++i)
        if (doc.curve(i).isCurve()) return i;
    return -1;
}

std::string curveName(const document::Document& doc, int slot) {
    const document::DEFINEFUN& c = doc.curve(slot);
    return c.name.empty() ? defaultItemName(c.kind, slot) : c.name;
}

} // namespace

bool CurveTrace::start(const document::Document& doc, double sheetX) {
    slot_ = firstCurve(doc);
    x_ = doc.view.mathX(sheetX);
    return active();
}

void CurveTrace::step(const document::ViewSettings& view, int pixels) {
    // From the column the marker is nearest, so steps land on whole columns.
    const double column = std::round(view.sheetX(x_)) + pixels;
    x_ = view.mathX(column);
}

void CurveTrace::nextCurve(const document::Document& doc, int direction) {
    const int n = doc.curveCount();
    if (!active() || n == 0) return;
    for (int k = 1; k <= n; ++k) {
        const int i = ((slot_ + direction * k) % n + n) % n;
        if (doc.curve(i).isCurve()) {
            slot_ = i;
            return;
        }
    }
}

void CurveTrace::toEdge(const document::ViewSettings& view, int sheetWidth, bool right) {
    x_ = view.mathX(right ? sheetWidth : 0);
}

std::optional<double> CurveTrace::value(const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount() || !doc.curve(slot_).isCurve()) return std::nullopt;
    return valueAt(CurveFunction::fromItem(doc.curve(slot_)), x_);
}

std::string CurveTrace::statusText(const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return {};
    const document::ViewSettings& v = doc.view;
    const std::optional<double> y = value(doc);
    const std::string x = roundedCoordinate(x_, meaningfulDecimals(v.unitX));
    if (!y) return fillTemplate(words_.traceUndefined, {curveName(doc, slot_), x});
    return fillTemplate(words_.trace,
                        {curveName(doc, slot_), x, roundedCoordinate(*y, meaningfulDecimals(v.unitY))});
}

void CurveTrace::draw(typeset::Canvas& canvas, const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return;
    const document::ViewSettings& v = doc.view;
    const int colour = doc.curve(slot_).colour;
    const double sx = v.sheetX(x_);
    if (!std::isfinite(sx) || std::abs(sx) > 1e6) return;
    const int cx = static_cast<int>(std::lround(sx));
    const std::optional<double> y = value(doc);
    canvas.setPen(colour, 1, typeset::PenStyle::Dot);
    canvas.line(cx, 0, cx, 100000); // the column the marker stands on
    int labelY = 20;
    if (y && std::abs(v.sheetY(*y)) < 1e6) {
        const int cy = static_cast<int>(std::lround(v.sheetY(*y)));
        canvas.setPen(colour, 2, typeset::PenStyle::Solid);
        canvas.setBrush(colour, typeset::BrushStyle::Solid);
        canvas.ellipse({cx - 5, cy - 5, cx + 6, cy + 6});
        labelY = cy - 26;
    }
    drawReadingLabel(canvas, cx + 8, labelY + 20, statusText(doc), colour);
    canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
}

} // namespace quorvel::graph

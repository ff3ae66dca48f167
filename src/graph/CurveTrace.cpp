#include "graph/CurveTrace.h"

#include "graph/CoordinateText.h"
#include "graph/CurveAnalysis.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveMarks.h"
#include "graph/PlaneFormula.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace quorvel::graph {

namespace {

bool followsParameter(const document::DEFINEFUN& c) {
    return c.kind == document::KindParametric || c.kind == document::KindPolar;
}

bool traceable(const document::DEFINEFUN& c) {
    return c.isCurve() || followsParameter(c);
}

int firstCurve(const document::Document& doc) {
    if (!doc.selection.empty()) {
        const document::ObjectRef last = doc.resolve(doc.selection.last());
        if (last.type == document::ObjectRef::Curve && traceable(doc.curve(last.slot))) return last.slot;
    }
    for (int i = 0; i < doc.curveCount(); ++i)
        if (traceable(doc.curve(i))) return i;
    return -1;
}

// The parameter of item whose point lies nearest to sheet point (sx, sy): the best of an even grid over the
// range, then narrowed around it by golden sections.
double nearestParameter(const document::DEFINEFUN& item, const document::ViewSettings& view, double sx,
                        double sy) {
    const std::unique_ptr<PlaneFormula> formula = PlaneFormula::fromItem(item);
    const double a = item.domainStart;
    const double b = item.domainEnd;
    if (!formula || !(a < b)) return a;
    const auto distance = [&](double t) {
        const auto p = formula->pointAt(t);
        return p ? std::hypot(view.sheetX(p->first) - sx, view.sheetY(p->second) - sy)
                 : std::numeric_limits<double>::infinity();
    };
    constexpr int kSteps = 720;
    const double h = (b - a) / kSteps;
    double best = a;
    double bestDistance = distance(a);
    for (int k = 1; k <= kSteps; ++k) {
        const double t = k == kSteps ? b : a + k * h;
        if (const double d = distance(t); d < bestDistance) {
            best = t;
            bestDistance = d;
        }
    }
    double lo = std::max(a, best - h);
    double hi = std::min(b, best + h);
    constexpr double kGolden = 0.6180339887498949;
    for (int k = 0; k < 40; ++k) {
        const double m1 = hi - kGolden * (hi - lo);
        const double m2 = lo + kGolden * (hi - lo);
        if (distance(m1) <= distance(m2))
            hi = m2;
        else
            lo = m1;
    }
    const double refined = (lo + hi) / 2;
    return distance(refined) <= bestDistance ? refined : best;
}

std::string curveName(const document::Document& doc, int slot) {
    const document::DEFINEFUN& c = doc.curve(slot);
    return c.name.empty() ? defaultItemName(c.kind, slot) : c.name;
}

} // namespace

bool CurveTrace::start(const document::Document& doc, double sheetX, double sheetY) {
    slot_ = firstCurve(doc);
    x_ = doc.view.mathX(sheetX);
    if (active() && followsParameter(doc.curve(slot_)))
        x_ = nearestParameter(doc.curve(slot_), doc.view, sheetX, sheetY);
    return active();
}

void CurveTrace::follow(const document::Document& doc, double sheetX, double sheetY) {
    if (!active() || slot_ >= doc.curveCount()) return;
    const document::DEFINEFUN& c = doc.curve(slot_);
    x_ = followsParameter(c) ? nearestParameter(c, doc.view, sheetX, sheetY) : doc.view.mathX(sheetX);
}

void CurveTrace::step(const document::Document& doc, int pixels) {
    const document::ViewSettings& view = doc.view;
    if (!active() || slot_ >= doc.curveCount() || !followsParameter(doc.curve(slot_))) {
        // From the column the marker is nearest, so steps land on whole columns.
        const double column = std::round(view.sheetX(x_)) + pixels;
        x_ = view.mathX(column);
        return;
    }
    // Along the curve: the parameter moves by what makes the point move about |pixels| pixels here.
    const document::DEFINEFUN& c = doc.curve(slot_);
    const double range = c.domainEnd - c.domainStart;
    const std::unique_ptr<PlaneFormula> formula = PlaneFormula::fromItem(c);
    double dt = range / 1000;
    if (formula) {
        const double h = range * 1e-6;
        const auto p = formula->pointAt(x_);
        const auto q = formula->pointAt(x_ + h);
        if (p && q) {
            const double speed = std::hypot(view.sheetX(q->first) - view.sheetX(p->first),
                                            view.sheetY(q->second) - view.sheetY(p->second)) /
                                 h;
            if (speed > 0 && std::isfinite(speed)) dt = std::clamp(1 / speed, range * 1e-7, range / 50);
        }
    }
    x_ = std::clamp(x_ + pixels * dt, c.domainStart, c.domainEnd);
}

void CurveTrace::nextCurve(const document::Document& doc, int direction) {
    const int n = doc.curveCount();
    if (!active() || n == 0) return;
    for (int k = 1; k <= n; ++k) {
        const int i = ((slot_ + direction * k) % n + n) % n;
        if (traceable(doc.curve(i))) {
            const std::optional<std::pair<double, double>> at = point(doc);
            slot_ = i;
            if (followsParameter(doc.curve(i))) {
                const double sx = at ? doc.view.sheetX(at->first) : doc.view.originX;
                const double sy = at ? doc.view.sheetY(at->second) : doc.view.originY;
                x_ = nearestParameter(doc.curve(i), doc.view, sx, sy);
            } else if (at) {
                x_ = at->first;
            }
            return;
        }
    }
}

void CurveTrace::toEdge(const document::Document& doc, int sheetWidth, bool right) {
    if (active() && slot_ < doc.curveCount() && followsParameter(doc.curve(slot_))) {
        x_ = right ? doc.curve(slot_).domainEnd : doc.curve(slot_).domainStart;
        return;
    }
    x_ = doc.view.mathX(right ? sheetWidth : 0);
}

std::optional<double> CurveTrace::value(const document::Document& doc) const {
    const std::optional<std::pair<double, double>> p = point(doc);
    return p ? std::optional<double>(p->second) : std::nullopt;
}

const char* CurveTrace::variableName(const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return "x";
    const int kind = doc.curve(slot_).kind;
    return kind == document::KindPolar ? "θ" : kind == document::KindParametric ? "t" : "x";
}

std::optional<std::pair<double, double>> CurveTrace::point(const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return std::nullopt;
    const document::DEFINEFUN& c = doc.curve(slot_);
    if (followsParameter(c)) {
        const std::unique_ptr<PlaneFormula> formula = PlaneFormula::fromItem(c);
        if (!formula || !(x_ >= c.domainStart && x_ <= c.domainEnd)) return std::nullopt;
        return formula->pointAt(x_);
    }
    if (!c.isCurve()) return std::nullopt;
    const std::optional<double> y = valueAt(CurveFunction::fromItem(c), x_);
    return y ? std::optional(std::pair{x_, *y}) : std::nullopt;
}

std::string CurveTrace::statusText(const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return {};
    return statusAt(doc, point(doc));
}

std::string CurveTrace::statusAt(const document::Document& doc,
                                 const std::optional<std::pair<double, double>>& p) const {
    const document::ViewSettings& v = doc.view;
    if (followsParameter(doc.curve(slot_))) {
        const std::string t = roundedCoordinate(x_, 4);
        if (!p)
            return fillTemplate(words_.traceAlongUndefined, {curveName(doc, slot_), variableName(doc), t});
        return fillTemplate(words_.traceAlong, {curveName(doc, slot_), variableName(doc), t,
                                                roundedCoordinate(p->first, meaningfulDecimals(v.unitX)),
                                                roundedCoordinate(p->second, meaningfulDecimals(v.unitY))});
    }
    const std::string x = roundedCoordinate(x_, meaningfulDecimals(v.unitX));
    if (!p) return fillTemplate(words_.traceUndefined, {curveName(doc, slot_), x});
    return fillTemplate(
        words_.trace, {curveName(doc, slot_), x, roundedCoordinate(p->second, meaningfulDecimals(v.unitY))});
}

void CurveTrace::draw(typeset::Canvas& canvas, const document::Document& doc) const {
    if (!active() || slot_ >= doc.curveCount()) return;
    const document::ViewSettings& v = doc.view;
    const int colour = doc.curve(slot_).colour;
    const std::optional<std::pair<double, double>> p = point(doc);
    const bool alongCurve = followsParameter(doc.curve(slot_));
    const double sx = alongCurve ? (p ? v.sheetX(p->first) : v.originX) : v.sheetX(x_);
    if (!std::isfinite(sx) || std::abs(sx) > 1e6) return;
    const int cx = static_cast<int>(std::lround(sx));
    if (!alongCurve) {
        canvas.setPen(colour, 1, typeset::PenStyle::Dot);
        canvas.line(cx, 0, cx, 100000); // the column the marker stands on
    }
    int labelY = 20;
    if (p && std::abs(v.sheetY(p->second)) < 1e6) {
        const int cy = static_cast<int>(std::lround(v.sheetY(p->second)));
        canvas.setPen(colour, 2, typeset::PenStyle::Solid);
        canvas.setBrush(colour, typeset::BrushStyle::Solid);
        canvas.ellipse({cx - 5, cy - 5, cx + 6, cy + 6});
        labelY = cy - 26;
    }
    drawReadingLabel(canvas, cx + 8, labelY + 20, statusAt(doc, p), colour);
    canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
}

} // namespace quorvel::graph

#include "graph/CurveMarks.h"

#include "base/NumberFormat.h"
#include "graph/CoordinateText.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

namespace {

constexpr int kDotRadius = 4;
constexpr double kHitRadius = 7;

MarkKind markKindOf(PointKind kind) {
    switch (kind) {
    case PointKind::Zero:
        return MarkKind::Zero;
    case PointKind::Minimum:
        return MarkKind::Minimum;
    case PointKind::Maximum:
        return MarkKind::Maximum;
    case PointKind::YIntercept:
        break;
    }
    return MarkKind::YIntercept;
}

// Everything the marks depend on, so they are computed again exactly when one of these changed.
std::string stateKey(const document::Document& doc, int slot, int sheetWidth) {
    const document::ViewSettings& v = doc.view;
    std::string key = std::to_string(slot) + '|' + std::to_string(sheetWidth) + '|' +
                      formatGeneral(v.originX) + '|' + formatGeneral(v.originY) + '|' +
                      formatGeneral(v.unitX) + '|' + formatGeneral(v.unitY);
    for (int i = 0; i < doc.curveCount(); ++i) {
        const document::DEFINEFUN& c = doc.curve(i);
        if (!c.isCurve()) continue;
        key += '|' + c.expression + '#' + formatGeneral(c.domainStart) + '#' + formatGeneral(c.domainEnd);
        for (int k = 0; k < c.paramCount && k < document::kMaxParams; ++k)
            key += '#' + formatGeneral(c.paramValues[static_cast<std::size_t>(k)]);
    }
    return key;
}

// The curve chosen last (the one the user just pressed), or -1.
int selectedCurve(const document::Document& doc) {
    if (doc.selection.empty()) return -1;
    const document::ObjectRef last = doc.resolve(doc.selection.last());
    if (last.type != document::ObjectRef::Curve || !doc.curve(last.slot).isCurve()) return -1;
    return last.slot;
}

} // namespace

void drawReadingLabel(typeset::Canvas& canvas, int left, int bottom, const std::string& text,
                      typeset::Color colour) {
    canvas.setFontName("Arial");
    canvas.setFontPixelHeight(13);
    canvas.setFontStyle(false, false, false, false);
    canvas.setFontColor(typeset::kBlack);
    const int w = canvas.textWidth(text) + 8;
    const int h = canvas.textHeight(text) + 4;
    canvas.setPen(colour, 1, typeset::PenStyle::Solid);
    canvas.setBrush(typeset::rgb(255, 255, 225), typeset::BrushStyle::Solid);
    canvas.rectangle({left, bottom - h, left + w, bottom});
    canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Clear);
    canvas.textOut(left + 4, bottom - h + 2, text);
}

const std::string& markKindName(MarkKind kind, const ReadingWords& words) {
    switch (kind) {
    case MarkKind::Zero:
        return words.zero;
    case MarkKind::Minimum:
        return words.minimum;
    case MarkKind::Maximum:
        return words.maximum;
    case MarkKind::YIntercept:
        return words.yIntercept;
    case MarkKind::Intersection:
        break;
    }
    return words.intersection;
}

void CurveMarks::update(const document::Document& doc, int sheetWidth) {
    const int slot = selectedCurve(doc);
    const std::string key = slot < 0 ? std::string() : stateKey(doc, slot, sheetWidth);
    if (key == key_) return;
    key_ = key;
    marks_.clear();
    hovered_.reset();
    pinned_.reset();
    if (slot < 0) return;
    const document::DEFINEFUN& item = doc.curve(slot);
    colour_ = item.colour;
    const AnalysisRange range = rangeOfView(doc.view, sheetWidth);
    const CurveFunction f = CurveFunction::fromItem(item);
    for (const PointOfInterest& p : pointsOfInterest(f, range).points)
        marks_.push_back({markKindOf(p.kind), p.x, p.y});
    for (int i = 0; i < doc.curveCount(); ++i) {
        if (i == slot || !doc.curve(i).isCurve()) continue;
        for (const CurvePoint& p : intersections(f, CurveFunction::fromItem(doc.curve(i)), range).points)
            marks_.push_back({MarkKind::Intersection, p.x, p.y});
    }
    std::stable_sort(marks_.begin(), marks_.end(),
                     [](const CurveMark& a, const CurveMark& b) { return a.x < b.x; });
}

std::optional<int> CurveMarks::markAt(const document::ViewSettings& view, double x, double y) const {
    std::optional<int> best;
    double bestDistance = kHitRadius;
    for (std::size_t i = 0; i < marks_.size(); ++i) {
        const double d = std::hypot(view.sheetX(marks_[i].x) - x, view.sheetY(marks_[i].y) - y);
        if (d <= bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::string CurveMarks::describe(int index, const document::ViewSettings& view) const {
    const CurveMark& m = marks_.at(static_cast<std::size_t>(index));
    return markKindName(m.kind, words_) + " " + pointText(m.x, m.y, view.unitX, view.unitY);
}

std::string CurveMarks::coordinates(int index) const {
    const CurveMark& m = marks_.at(static_cast<std::size_t>(index));
    return "(" + formatGeneral(m.x) + ", " + formatGeneral(m.y) + ")";
}

void CurveMarks::draw(typeset::Canvas& canvas, const document::ViewSettings& view) const {
    if (marks_.empty()) return;
    canvas.setPen(colour_, 2, typeset::PenStyle::Solid);
    canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Solid);
    for (const CurveMark& m : marks_) {
        const double sx = view.sheetX(m.x);
        const double sy = view.sheetY(m.y);
        if (!std::isfinite(sx) || !std::isfinite(sy) || std::abs(sx) > 1e6 || std::abs(sy) > 1e6) continue;
        const int cx = static_cast<int>(std::lround(sx));
        const int cy = static_cast<int>(std::lround(sy));
        canvas.ellipse({cx - kDotRadius, cy - kDotRadius, cx + kDotRadius + 1, cy + kDotRadius + 1});
    }
    const std::optional<int> labelled = hovered_ ? hovered_ : pinned_;
    if (labelled && *labelled < static_cast<int>(marks_.size())) {
        const CurveMark& m = marks_[static_cast<std::size_t>(*labelled)];
        drawReadingLabel(canvas, static_cast<int>(std::lround(view.sheetX(m.x))) + 8,
                         static_cast<int>(std::lround(view.sheetY(m.y))) - 6, describe(*labelled, view),
                         colour_);
    }
    canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
    canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Clear);
}

} // namespace quorvel::graph

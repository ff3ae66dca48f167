#include "graph/SheetMouse.h"

#include "document/HitTest.h"
#include "graph/StatusText.h"
#include "graph/ViewResample.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel::graph {

using document::Document;
using document::ObjectRef;

namespace {

// The units stay inside the range the tick table covers.
constexpr double kMinUnit = 1;
constexpr double kMaxUnit = 5000;

double clampUnit(double unit) {
    return std::clamp(unit, kMinUnit, kMaxUnit);
}

// Whole pixels of pointer travel; the remainder stays in the anchor, so slow fractional moves add up.
int wholeStep(double delta) {
    if (!std::isfinite(delta)) return 0;
    constexpr double limit = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(std::clamp(std::trunc(delta), -limit, limit));
}

} // namespace

bool curveLineHitAt(const Document& doc, const document::DEFINEFUN& item, double x, double y, int sheetWidth,
                    int tolerance) {
    if (item.isPlaneCurve()) return item.shape && item.shape->lineNear(x, y, tolerance);
    if (!item.isCurve() || !std::isfinite(x) || !std::isfinite(y) || x < 0) return false;
    if (x >= static_cast<double>(sheetWidth) + 1 || x >= item.sampleColumns()) return false;
    const int column = static_cast<int>(x);
    if (!item.hasValueAt(column)) return false;
    const double row =
        std::trunc(doc.view.originY - item.ys[static_cast<std::size_t>(column)] * doc.view.unitY);
    return std::isfinite(row) && std::abs(row - y) < tolerance;
}

int curveLineSlotAt(const Document& doc, double x, double y, int sheetWidth, int tolerance) {
    for (int i = 0; i < doc.curveCount(); ++i)
        if (curveLineHitAt(doc, doc.curve(i), x, y, sheetWidth, tolerance)) return i;
    return -1;
}

SheetMouse::SheetMouse(Document& doc, expr::Engine& engine, int sheetWidth, int sheetHeight)
    : doc_(doc), engine_(engine), width_(sheetWidth), height_(sheetHeight) {}

void SheetMouse::setSheetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void SheetMouse::reset() {
    remarkMode_ = false;
    drag_ = DragKind::None;
    leftDown_ = false;
    moved_ = false;
    pendingPopup_.reset();
    lastPress_ = {};
}

SheetPoint SheetMouse::pastePosition() const {
    // A pan can carry the anchor far off the sheet; an object pasted there could not be reached.
    const auto keep = [](double v, int extent) {
        if (!std::isfinite(v)) return 0.0;
        return std::clamp(v, 0.0, static_cast<double>(std::max(extent - 1, 0)));
    };
    return {keep(anchor_.x, width_), keep(anchor_.y, height_)};
}

int SheetMouse::annotationAt(double x, double y) {
    if (measure_)
        for (int j = 0; j < doc_.remarkCount(); ++j)
            measure_(doc_.remark(j));
    return document::remarkAt(doc_, x, y);
}

// The markers are drawn only with the axes, and the square grid has no y marker.
bool SheetMouse::onUnitX(double x, double y) const {
    const document::ViewSettings& v = doc_.view;
    const double mx = v.originX + v.unitX;
    return v.axesShown != 0 && mx - 3 <= x && x <= mx + 3 && v.originY - 3 <= y && y <= v.originY + 3;
}

bool SheetMouse::onUnitY(double x, double y) const {
    const document::ViewSettings& v = doc_.view;
    const double my = v.originY - v.unitY;
    return v.axesShown != 0 && v.gridKind != document::GridSquare && v.originX - 3 <= x &&
           x <= v.originX + 3 && my - 3 <= y && y <= my + 3;
}

bool SheetMouse::boxHit(const document::DEFINEFUN& c, double x, double y) {
    return c.labelLeft < x && x < c.labelRight && c.labelTop < y && y < c.labelBottom;
}

int SheetMouse::itemAt(double x, double y) const {
    for (int i = 0; i < doc_.curveCount(); ++i)
        if (boxHit(doc_.curve(i), x, y) || curveLineHitAt(doc_, doc_.curve(i), x, y, width_)) return i;
    return -1;
}

SheetHit SheetMouse::pressHit(double x, double y) {
    if (const int j = annotationAt(x, y); j >= 0) return {HitKind::Annotation, j};
    if (const int i = document::itemBoxAt(doc_, x, y); i >= 0) return {HitKind::ItemBox, i};
    if (const int i = curveLineSlotAt(doc_, x, y, width_); i >= 0) return {HitKind::CurveLine, i};
    return {};
}

SheetCursor SheetMouse::cursorAt(double x, double y) {
    // The same precedence as a press, so the cursor tells what a press would do.
    if (annotationAt(x, y) >= 0) return SheetCursor::DragMove;
    if (onUnitX(x, y)) return SheetCursor::SplitH;
    if (onUnitY(x, y)) return SheetCursor::SplitV;
    for (int i = 0; i < doc_.curveCount(); ++i) {
        const document::DEFINEFUN& item = doc_.curve(i);
        if (boxHit(item, x, y)) return SheetCursor::DragMove;
        if (curveLineHitAt(doc_, item, x, y, width_, kCurveHoverTolerance)) return SheetCursor::Hand;
    }
    return SheetCursor::Arrow;
}

void SheetMouse::choose(int combined) {
    // A left press only ever adds: a second object joins the first, so the two can be dragged together;
    // an object already selected becomes the most recent entry. A 101st object is not taken.
    (void)doc_.selection.press(combined);
}

MouseOutcome SheetMouse::press(double x, double y, MouseButton button) {
    return button == MouseButton::Left ? leftPress(x, y) : rightPress(x, y);
}

MouseOutcome SheetMouse::leftPress(double x, double y) {
    MouseOutcome out;
    out.cursor = cursorAt(x, y);
    pendingPopup_.reset();
    anchor_ = {x, y};
    if (remarkMode_) {
        remarkMode_ = false;
        out.placeAnnotation = SheetPoint{x, y};
        return out;
    }
    leftDown_ = true;
    moved_ = false;
    out.change.redraw = true;
    if (const int j = annotationAt(x, y); j >= 0) {
        drag_ = DragKind::Objects;
        lastPress_ = {HitKind::Annotation, j};
        choose(doc_.combinedOfRemark(j));
        return out;
    }
    const int r = itemAt(x, y);
    if (r < 0 || onUnitX(x, y) || onUnitY(x, y)) {
        // Empty sheet or a unit marker (the markers win over items): nothing stays selected.
        doc_.selection.clear();
        lastPress_ = {};
        drag_ = onUnitX(x, y) ? DragKind::UnitX : onUnitY(x, y) ? DragKind::UnitY : DragKind::Pan;
        return out;
    }
    // Curves are selected by their line, never dragged by it.
    const bool onLine = curveLineHitAt(doc_, doc_.curve(r), x, y, width_);
    drag_ = onLine ? DragKind::None : DragKind::Objects;
    lastPress_ = {onLine ? HitKind::CurveLine : HitKind::ItemBox, r};
    choose(doc_.combinedOfCurve(r));
    return out;
}

MouseOutcome SheetMouse::selectNext(int step) {
    MouseOutcome out;
    const int total = doc_.objectCount();
    if (total == 0 || leftDown_) return out;
    const int last = doc_.selection.last();
    const int next =
        last < 0 ? (step > 0 ? 0 : total - 1) : ((last + (step > 0 ? 1 : -1)) % total + total) % total;
    doc_.selection.selectOnly(next);
    const document::ObjectRef object = doc_.resolve(next);
    lastPress_ = {object.type == document::ObjectRef::Remark ? HitKind::Annotation : HitKind::ItemBox,
                  object.slot};
    out.change.redraw = true;
    return out;
}

MouseOutcome SheetMouse::chooseNone() {
    MouseOutcome out;
    if (leftDown_ || doc_.selection.empty()) return out;
    doc_.selection.clear();
    lastPress_ = {};
    out.change.redraw = true;
    return out;
}

MouseOutcome SheetMouse::rightPress(double x, double y) {
    MouseOutcome out;
    out.cursor = cursorAt(x, y);
    // A right press in the middle of a left drag would change the selection under the drag.
    if (leftDown_) return out;
    anchor_ = {x, y};
    const SheetHit hit = pressHit(x, y);
    switch (hit.kind) {
    case HitKind::Annotation:
        doc_.selection.selectOnly(doc_.combinedOfRemark(hit.slot));
        break;
    case HitKind::ItemBox:
    case HitKind::CurveLine:
        doc_.selection.selectOnly(doc_.combinedOfCurve(hit.slot));
        break;
    case HitKind::Nothing:
        doc_.selection.clear();
        break;
    }
    pendingPopup_ = hit;
    out.change.redraw = true;
    return out;
}

void SheetMouse::dragTo(double x, double y, MouseOutcome& out) {
    const int dx = wholeStep(x - anchor_.x);
    const int dy = wholeStep(y - anchor_.y);
    if (dx == 0 && dy == 0) return;
    anchor_.x += dx;
    anchor_.y += dy;
    document::ViewSettings& v = doc_.view;
    const document::ViewSettings before = v;
    switch (drag_) {
    case DragKind::None:
        return;
    case DragKind::Objects:
        if (doc_.selection.empty()) return;
        doc_.moveSelected(dx, dy);
        break;
    case DragKind::Pan:
        v.originX += dx;
        v.originY += dy;
        break;
    case DragKind::UnitX: {
        const double before = v.unitX;
        if (v.gridKind == document::GridSquare) {
            v.unitCommon = clampUnit(v.unitCommon + dx);
            v.unitX = v.unitY = v.unitCommon;
        } else {
            v.unitX = clampUnit(v.unitX + dx);
        }
        if (v.unitX == before) return;
        break;
    }
    case DragKind::UnitY: {
        // Dragging upwards enlarges the unit.
        const double before = v.unitY;
        if (v.gridKind != document::GridSquare) v.unitY = clampUnit(v.unitY - dy);
        if (v.unitY == before) return;
        break;
    }
    }
    followViewChange(engine_, doc_, width_, before);
    moved_ = true;
    out.change.redraw = true;
}

MouseOutcome SheetMouse::move(double x, double y) {
    MouseOutcome out;
    out.status = mouseCoordinateText(doc_.view, x, y, statusPattern_);
    if (leftDown_) dragTo(x, y, out);
    out.cursor = cursorAt(x, y);
    return out;
}

MouseOutcome SheetMouse::release(double x, double y, MouseButton button) {
    MouseOutcome out;
    if (button == MouseButton::Left) {
        if (leftDown_) dragTo(x, y, out);
        // A whole drag is one history entry, and only when it changed something.
        out.change.record = leftDown_ && moved_;
        leftDown_ = false;
        moved_ = false;
        drag_ = DragKind::None;
    } else if (pendingPopup_) {
        out.popup = *pendingPopup_;
        pendingPopup_.reset();
    }
    out.cursor = cursorAt(x, y);
    return out;
}

MouseOutcome SheetMouse::doubleClick(double x, double y) {
    MouseOutcome out;
    out.cursor = cursorAt(x, y);
    leftDown_ = false;
    moved_ = false;
    drag_ = DragKind::None;
    anchor_ = {x, y};
    // An item under the pointer is edited before an annotation lying over it.
    if (const int i = itemAt(x, y); i >= 0) {
        doc_.selection.selectOnly(doc_.combinedOfCurve(i));
        out.reopen = ObjectRef{ObjectRef::Curve, i};
        out.change.redraw = true;
        return out;
    }
    if (const int j = annotationAt(x, y); j >= 0) {
        doc_.selection.selectOnly(doc_.combinedOfRemark(j));
        out.reopen = ObjectRef{ObjectRef::Remark, j};
        out.change.redraw = true;
    }
    return out;
}

MouseOutcome SheetMouse::wheel(double x, double y, double steps) {
    MouseOutcome out;
    out.cursor = cursorAt(x, y);
    document::ViewSettings& v = doc_.view;
    // Not under a drag: the anchor arithmetic assumes the units it started with.
    if (leftDown_ || !std::isfinite(steps) || steps == 0 || !std::isfinite(x) || !std::isfinite(y))
        return out;
    // Each notch is a tenth more or less; both units keep their ratio, so no axis outruns its clamp.
    double factor = std::pow(1.1, std::clamp(steps, -50.0, 50.0));
    factor = std::min(factor, kMaxUnit / std::max(v.unitX, v.unitY));
    factor = std::max(factor, kMinUnit / std::min(v.unitX, v.unitY));
    if (!std::isfinite(factor) || std::abs(factor - 1) < 1e-12) return out;
    const document::ViewSettings before = v;
    // Exact, not rounded: over a burst of steps rounding would let the point under the pointer wander.
    v.originX = x - (x - v.originX) * factor;
    v.originY = y - (y - v.originY) * factor;
    v.unitX *= factor;
    v.unitY *= factor;
    if (v.gridKind == document::GridSquare) v.unitCommon = v.unitX;
    followViewChange(engine_, doc_, width_, before);
    out.status = mouseCoordinateText(v, x, y, statusPattern_);
    out.change.redraw = true;
    return out;
}

std::optional<bool> popupItemEnabled(std::string_view name, HitKind hit, bool firstSelectedIsFormulaPicture) {
    for (const PopupRow& row : kPopupTable) {
        if (row.name != name) continue;
        switch (row.rule[static_cast<std::size_t>(hit)]) {
        case PopupRule::Off:
            return false;
        case PopupRule::On:
            return true;
        case PopupRule::OnUnlessFormulaPicture:
            return !firstSelectedIsFormulaPicture;
        }
    }
    return std::nullopt;
}

} // namespace quorvel::graph

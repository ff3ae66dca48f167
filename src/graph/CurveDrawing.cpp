#include "graph/CurveDrawing.h"

#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "graph/PlaneCurveShape.h"
#include "graph/SheetGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace quorvel::graph {

using document::DEFINEFUN;
using document::ViewSettings;

namespace {

// Box edges come from files and drags; keep the arithmetic on them inside int.
int clampedInt(long long v) {
    return static_cast<int>(
        std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

typeset::FormulaStyle labelStyle(const DEFINEFUN& item) {
    typeset::FormulaStyle style;
    style.colors = typeset::TokenColors::fromArray(item.labelColours);
    style.fontName = item.labelFontName;
    style.fontSize = item.labelFontSize;
    return style;
}

void loadParameters(expr::Engine& engine, const DEFINEFUN& item) {
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    engine.variables.load(std::span(item.paramNames.data(), n), std::span(item.paramValues.data(), n));
}

} // namespace

std::string defaultItemName(int kind, int slot) {
    // Names are document content: they stay Chinese in every interface language.
    static constexpr std::pair<int, const char*> kStems[] = {
        {document::KindTemplateFunction, "函数"}, {document::KindParametric, "参数方程"},
        {document::KindPolar, "极坐标方程"},      {document::KindImplicit, "隐函数"},
        {document::KindRegion, "不等式"},
    };
    const char* stem = "自定义函数";
    for (const auto& [stemKind, text] : kStems)
        if (stemKind == kind) stem = text;
    return stem + std::to_string(slot);
}

bool curveRow(double y, const ViewSettings& view, int& row) {
    if (!std::isfinite(y) || y > (view.originY + kBandAbove) / view.unitY ||
        y < (view.originY - kBandBelow) / view.unitY)
        return false;
    row = toPixel(view.originY - std::trunc(y * view.unitY + 0.5));
    return true;
}

double exactCurveRow(double y, const ViewSettings& view, int row) {
    return row + (std::trunc(y * view.unitY + 0.5) - y * view.unitY);
}

// ---------------------------------------------------------------- labels

CurveLabelCache::Label& CurveLabelCache::labelFor(const DEFINEFUN& item, typeset::Canvas& measuring) {
    Entry& entry = entries_[&item];
    entry.used = true;
    if (entry.typeset && entry.expression == item.expression && entry.fontName == item.labelFontName &&
        entry.fontSize == item.labelFontSize)
        return entry.label;

    ++typesetCount_;
    entry.typeset = true;
    entry.expression = item.expression;
    entry.fontName = item.labelFontName;
    entry.fontSize = item.labelFontSize;
    measuring.setFontStyle(false, false, false, false);
    entry.label.formula = typeset::TypesetFormula::fromMarkup(item.expression, labelStyle(item), measuring);

    // Where the pieces of a piecewise formula apply; drawing hides the columns where none does.
    entry.label.domainCondition.reset();
    std::string refusal;
    expr::expandPiecewise(engine_, expr::toFunctionForm(expr::stripBlanks(item.expression)), &refusal,
                          expr::TextKind::FunctionForm);
    if (refusal.empty() && !engine_.domainText.empty()) {
        const std::string form = expr::toFunctionForm(engine_.domainText, &refusal);
        if (refusal.empty()) {
            expr::ExprTree tree = expr::buildTree(form, &refusal);
            if (refusal.empty()) {
                expr::linkParents(tree.get());
                entry.label.domainCondition = std::move(tree);
            }
        }
    }
    return entry.label;
}

void CurveLabelCache::beginPass() {
    for (auto& [item, entry] : entries_)
        entry.used = false;
}

void CurveLabelCache::endPass() {
    std::erase_if(entries_, [](const auto& pair) { return !pair.second.used; });
}

// ---------------------------------------------------------------- items

void GraphItemPainter::sizeLabelBox(DEFINEFUN& item, typeset::Canvas& measuring) {
    const typeset::FormulaLayout& layout = labels_.labelFor(item, measuring).formula.layout();
    item.labelRight = clampedInt(static_cast<long long>(item.labelLeft) + layout.boxWidth());
    item.labelBottom = clampedInt(static_cast<long long>(item.labelTop) + layout.boxHeight());
}

std::optional<typeset::FormulaStyle> GraphItemPainter::Draw_definefun(typeset::Canvas& canvas,
                                                                      document::Document& doc, int sheetWidth,
                                                                      int sheetHeight) {
    std::optional<typeset::FormulaStyle> lastLabel;
    labels_.beginPass();
    for (int i = 0; i < doc.curveCount(); ++i) {
        DEFINEFUN& item = doc.curve(i);
        const bool selected = doc.selection.incheck(doc.combinedOfCurve(i)) >= 0;
        if (selected) {
            const typeset::Color pen = canvas.penColor();
            canvas.setPen(kSelectedBoxColor, 1, typeset::PenStyle::Solid);
            canvas.setBrush(kSelectedBoxColor, typeset::BrushStyle::Solid);
            canvas.rectangle({item.labelLeft, item.labelTop, item.labelRight, item.labelBottom});
            canvas.setPen(pen, 1, typeset::PenStyle::Solid);
            canvas.setBrush(kSelectedBoxColor, typeset::BrushStyle::Clear);
        }
        CurveLabelCache::Label& label = labels_.labelFor(item, canvas);
        drawLabel(canvas, item, label);
        if (!label.formula.empty()) lastLabel = labelStyle(item);
        if (item.name.empty()) item.name = defaultItemName(item.kind, i);
        if (item.isCurve())
            drawCurve(canvas, item, doc.view, sheetWidth, selected, label.domainCondition.get());
        else if (item.isPlaneCurve())
            drawPlaneCurve(canvas, item, doc.view, sheetWidth, sheetHeight, selected);
    }
    labels_.endPass();
    canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
    canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Clear);
    return lastLabel;
}

void GraphItemPainter::drawLabel(typeset::Canvas& canvas, const DEFINEFUN& item,
                                 CurveLabelCache::Label& label) {
    if (label.formula.empty()) return;
    label.formula.setColors(typeset::TokenColors::fromArray(item.labelColours));
    const long long axis = static_cast<long long>(item.labelTop) +
                           (static_cast<long long>(item.labelBottom) - item.labelTop) / 2 + 5;
    canvas.setFontStyle(false, false, false, false);
    canvas.setPen(canvas.penColor(), 1, typeset::PenStyle::Solid);
    label.formula.drawAt(canvas, clampedInt(static_cast<long long>(item.labelLeft) + 5), clampedInt(axis));
}

void GraphItemPainter::drawPlaneCurve(typeset::Canvas& canvas, DEFINEFUN& item, const ViewSettings& view,
                                      int sheetWidth, int sheetHeight, bool selected) {
    const PlaneCurveShape* shape = planeCurveShape(item, view, sheetWidth, sheetHeight);
    if (!shape) return;
    // The fill is the item's colour seen through: the grid and the other curves stay readable.
    if (!shape->fill.empty()) canvas.fillArea(shape->fill, item.colour, kRegionFillAlpha);
    const typeset::Color colour = selected ? kSelectedCurveColor : item.colour;
    const int width = selected ? kSelectedCurveWidth : item.thickLine != 0 ? 2 : 1;
    canvas.setPen(colour, width, typeset::PenStyle::Solid);
    for (const SheetPath& path : shape->solid)
        canvas.path(path);
    canvas.setPen(colour, width, typeset::PenStyle::Dash);
    for (const SheetPath& path : shape->dashed)
        canvas.path(path);
    canvas.setPen(colour, width, typeset::PenStyle::Solid);
}

void GraphItemPainter::flushRun(typeset::Canvas& canvas) {
    if (run_.size() == 1)
        canvas.line(run_[0].x, run_[0].y, run_[0].x, run_[0].y);
    else if (run_.size() > 1)
        canvas.curve(run_, runRows_);
    run_.clear();
    runRows_.clear();
}

void GraphItemPainter::drawCurve(typeset::Canvas& canvas, const DEFINEFUN& item, const ViewSettings& view,
                                 int sheetWidth, bool selected, expr::ExprNode* condition) {
    if (selected)
        canvas.setPen(kSelectedCurveColor, kSelectedCurveWidth, typeset::PenStyle::Solid);
    else
        canvas.setPen(item.colour, item.thickLine != 0 ? 2 : 1, typeset::PenStyle::Solid);
    if (condition) loadParameters(conditionEngine_, item);

    const int columns = std::min(sheetWidth, item.sampleColumns());
    const double jump = kJumpPixels / view.unitY;
    const auto hidden = [&](double x) {
        return condition && expr::evaluate(conditionEngine_, condition, x) && expr::nodeValue(condition) == 0;
    };
    // A refined branch end continues the run at its column's pixel, where the piecewise condition holds.
    const auto addEnd = [&](int column, document::BranchSide side) -> bool {
        const auto end =
            std::find_if(std::lower_bound(item.branchEnds.begin(), item.branchEnds.end(), column,
                                          [](const document::BranchEnd& e, int c) { return e.column < c; }),
                         item.branchEnds.end(),
                         [&](const document::BranchEnd& e) { return e.column > column || e.side == side; });
        if (end == item.branchEnds.end() || end->column != column || end->side != side) return false;
        const std::size_t from = run_.size();
        for (double y : end->path) {
            int row = 0;
            if (!curveRow(y, view, row)) break;
            if (run_.size() > from && run_.back().y == row) continue;
            run_.push_back({column, row});
            runRows_.push_back(exactCurveRow(y, view, row));
        }
        // A branch coming in from the left starts at its far end.
        if (side == document::BranchSide::Before) {
            std::reverse(run_.begin() + static_cast<std::ptrdiff_t>(from), run_.end());
            std::reverse(runRows_.begin() + static_cast<std::ptrdiff_t>(from), runRows_.end());
        }
        return end->joinsNext;
    };
    run_.clear();
    runRows_.clear();
    for (int column = 0; column < columns; ++column) {
        const auto u = static_cast<std::size_t>(column);
        if (hidden((column - view.originX) / view.unitX)) {
            flushRun(canvas);
            continue;
        }
        const bool jumps = column > 0 && std::abs(item.ys[u] - item.ys[u - 1]) > jump;
        // Across a jump the pen goes up, unless refining found a steep stretch that joins the columns.
        if (jumps && !run_.empty() && !addEnd(column - 1, document::BranchSide::After)) flushRun(canvas);
        int row = 0;
        if (item.defined[u] == 0 || !curveRow(item.ys[u], view, row)) {
            if (!run_.empty()) (void)addEnd(column - 1, document::BranchSide::After);
            flushRun(canvas);
            continue;
        }
        if (run_.empty()) (void)addEnd(column, document::BranchSide::Before);
        run_.push_back({column, row});
        runRows_.push_back(exactCurveRow(item.ys[u], view, row));
    }
    flushRun(canvas);
}

} // namespace quorvel::graph

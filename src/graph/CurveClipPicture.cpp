#include "graph/CurveClipPicture.h"

#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "graph/CurveDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>

namespace quorvel::graph {

using document::DEFINEFUN;
using document::ViewSettings;

std::vector<std::uint8_t> hiddenColumns(const DEFINEFUN& item, const ViewSettings& view, int columns) {
    QuietSink quiet;
    expr::Engine engine(quiet);
    std::string refusal;
    expr::expandPiecewise(engine, expr::toFunctionForm(expr::stripBlanks(item.expression)), &refusal,
                          expr::TextKind::FunctionForm);
    if (!refusal.empty() || engine.domainText.empty() || columns <= 0) return {};
    const std::string form = expr::toFunctionForm(engine.domainText, &refusal);
    if (!refusal.empty()) return {};
    expr::ExprTree condition = expr::buildTree(form, &refusal);
    if (!refusal.empty() || !condition) return {};
    expr::linkParents(condition.get());

    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    engine.variables.load(std::span(item.paramNames.data(), n), std::span(item.paramValues.data(), n));
    std::vector<std::uint8_t> hidden(static_cast<std::size_t>(columns), 0);
    for (int column = 0; column < columns; ++column) {
        const double x = (column - view.originX) / view.unitX;
        if (expr::evaluate(engine, condition.get(), x) && expr::nodeValue(condition.get()) == 0)
            hidden[static_cast<std::size_t>(column)] = 1;
    }
    return hidden;
}

CurveClipPicture curveClipPicture(const DEFINEFUN& item, const ViewSettings& view, int sheetWidth) {
    CurveClipPicture picture;
    picture.width = std::max(1, sheetWidth);
    const int columns =
        std::clamp(std::min(sheetWidth, item.sampleColumns()), 0, static_cast<int>(item.ys.size()));
    if (columns == 0 || !std::isfinite(view.unitY) || view.unitY == 0) return picture;

    const std::vector<std::uint8_t> hidden = hiddenColumns(item, view, columns);
    const double jump = kJumpPixels / view.unitY;
    // Sheet rows first; the picture's top is the highest row reached.
    std::vector<std::vector<typeset::Point>> runs(1);
    int top = INT_MAX;
    int bottom = INT_MIN;
    auto penUp = [&runs] {
        if (!runs.back().empty()) runs.emplace_back();
    };
    for (int column = 0; column < columns; ++column) {
        const auto u = static_cast<std::size_t>(column);
        if (!hidden.empty() && hidden[u] != 0) {
            penUp();
            continue;
        }
        if (column > 0 && std::abs(item.ys[u] - item.ys[u - 1]) > jump) penUp();
        int row = 0;
        if (!item.hasValueAt(column) || !curveRow(item.ys[u], view, row)) {
            penUp();
            continue;
        }
        // A far-off origin loses precision in the row; the band still holds.
        row = std::clamp(row, -static_cast<int>(kBandAbove) - 1, static_cast<int>(kBandBelow) + 1);
        runs.back().push_back({column, row});
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
    if (runs.back().empty()) runs.pop_back();
    if (runs.empty()) return picture;

    // At most a few thousand rows: the band of rows drawn.
    picture.height = bottom - top + 1;
    for (auto& run : runs)
        for (auto& point : run)
            point.y -= top;
    picture.polylines = std::move(runs);
    return picture;
}

} // namespace quorvel::graph

#include "graph/PlaneCurveShape.h"

#include "graph/ImplicitTracer.h"
#include "graph/ParametricSampler.h"
#include "graph/PlaneFormula.h"
#include "graph/RegionTracer.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace quorvel::graph {

using document::DEFINEFUN;
using document::ViewSettings;

PlaneCurveShape::Key PlaneCurveShape::keyOf(const DEFINEFUN& item, const ViewSettings& view, int width,
                                            int height) {
    Key key{item.kind,    item.expression, item.domainStart, item.domainEnd, {},    {},
            view.originX, view.originY,    view.unitX,       view.unitY,     width, height};
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    key.paramNames.assign(item.paramNames.begin(), item.paramNames.begin() + static_cast<std::ptrdiff_t>(n));
    key.paramValues.assign(item.paramValues.begin(),
                           item.paramValues.begin() + static_cast<std::ptrdiff_t>(n));
    return key;
}

bool PlaneCurveShape::Key::describes(const DEFINEFUN& item, const ViewSettings& view, int w, int h) const {
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    return kind == item.kind && domainStart == item.domainStart && domainEnd == item.domainEnd &&
           originX == view.originX && originY == view.originY && unitX == view.unitX && unitY == view.unitY &&
           width == w && height == h && expression == item.expression && paramNames.size() == n &&
           std::equal(paramNames.begin(), paramNames.end(), item.paramNames.begin()) &&
           std::equal(paramValues.begin(), paramValues.end(), item.paramValues.begin());
}

namespace {

double distanceToSegment(double x, double y, const typeset::PointF& a, const typeset::PointF& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double s = length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (a.x + s * dx), y - (a.y + s * dy));
}

bool nearPath(const SheetPath& path, double x, double y, double tolerance) {
    if (path.size() == 1) return distanceToSegment(x, y, path[0], path[0]) <= tolerance;
    for (std::size_t i = 1; i < path.size(); ++i)
        if (distanceToSegment(x, y, path[i - 1], path[i]) <= tolerance) return true;
    return false;
}

} // namespace

bool PlaneCurveShape::lineNear(double x, double y, double tolerance) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    const auto near = [&](const std::vector<SheetPath>& paths) {
        return std::any_of(paths.begin(), paths.end(),
                           [&](const SheetPath& path) { return nearPath(path, x, y, tolerance); });
    };
    return near(solid) || near(dashed);
}

PlaneCurveShape tracePlaneCurve(const DEFINEFUN& item, const ViewSettings& view, int width, int height) {
    PlaneCurveShape shape;
    shape.key = PlaneCurveShape::keyOf(item, view, width, height);
    std::shared_ptr<PlaneFormula> formula = PlaneFormula::fromItem(item);
    if (!formula || width <= 0 || height <= 0) return shape;
    switch (item.kind) {
    case document::KindParametric:
    case document::KindPolar: {
        const PlaneCurve curve = [formula](double t) { return formula->pointAt(t); };
        SampledCurve sampled = sampleParametric(curve, item.domainStart, item.domainEnd, view, width, height);
        shape.solid = std::move(sampled.paths);
        shape.budgetExhausted = sampled.budgetExhausted;
        break;
    }
    case document::KindImplicit: {
        const PlaneFunction f = [formula](double x, double y) { return formula->implicitValue(x, y); };
        ImplicitCurve traced = traceImplicit(f, view, width, height);
        shape.solid = std::move(traced.paths);
        shape.budgetExhausted = traced.budgetExhausted;
        break;
    }
    case document::KindRegion: {
        std::vector<RegionConstraint> system;
        for (std::size_t i = 0; i < formula->constraintCount(); ++i)
            system.push_back(
                {[formula, i](double x, double y) { return formula->margin(i, x, y); }, formula->strict(i)});
        RegionShape region = traceRegion(system, view, width, height);
        shape.fill = std::move(region.fill);
        for (std::size_t i = 0; i < region.boundaries.size() && i < system.size(); ++i) {
            std::vector<SheetPath>& to = system[i].strict ? shape.dashed : shape.solid;
            for (SheetPath& path : region.boundaries[i])
                to.push_back(std::move(path));
        }
        shape.budgetExhausted = region.budgetExhausted;
        break;
    }
    default:
        break;
    }
    return shape;
}

const PlaneCurveShape* planeCurveShape(DEFINEFUN& item, const ViewSettings& view, int width, int height) {
    if (!item.isPlaneCurve()) return nullptr;
    const auto* held = dynamic_cast<const PlaneCurveShape*>(item.shape.get());
    if (held && held->key.describes(item, view, width, height)) return held;
    auto traced = std::make_shared<PlaneCurveShape>(tracePlaneCurve(item, view, width, height));
    const PlaneCurveShape* shape = traced.get();
    item.shape = std::move(traced);
    return shape;
}

} // namespace quorvel::graph

#pragma once

#include "document/Records.h"
#include "document/ViewSettings.h"
#include "graph/SheetPath.h"

#include <string>
#include <vector>

namespace quorvel::graph {

// A curve of the plane as traced for one view: its lines (solid; dashed for the boundary of a strict
// inequality) and, for a region, the polygons whose union is the shaded set, all in sheet pixels.
class PlaneCurveShape final : public document::ItemShape {
public:
    // What the tracing depended on: the same key gives the same shape.
    struct Key {
        int kind = 0;
        std::string expression;
        double domainStart = 0;
        double domainEnd = 0;
        std::vector<std::string> paramNames;
        std::vector<double> paramValues;
        double originX = 0;
        double originY = 0;
        double unitX = 0;
        double unitY = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Key&) const = default;
        // True when item and view are what this key was made from; compares in place, so a redraw that
        // reuses the shape allocates nothing.
        [[nodiscard]] bool describes(const document::DEFINEFUN& item, const document::ViewSettings& view,
                                     int width, int height) const;
    };
    static Key keyOf(const document::DEFINEFUN& item, const document::ViewSettings& view, int width,
                     int height);

    Key key;
    std::vector<SheetPath> solid;
    std::vector<SheetPath> dashed;
    std::vector<SheetPath> fill;
    bool budgetExhausted = false; // the work bound stopped the tracing before it was complete

    [[nodiscard]] bool lineNear(double x, double y, double tolerance) const override;
};

// Traces item (kinds 5 … 8) for the view on a sheet width × height pixels. Nothing traced (no lines) for
// other kinds or a formula that does not fit its kind.
[[nodiscard]] PlaneCurveShape tracePlaneCurve(const document::DEFINEFUN& item,
                                              const document::ViewSettings& view, int width, int height);

// The shape item holds when it was traced for the same formula, parameters and view; else traced anew and
// kept in item. Null for kinds that are not curves of the plane.
const PlaneCurveShape* planeCurveShape(document::DEFINEFUN& item, const document::ViewSettings& view,
                                       int width, int height);

} // namespace quorvel::graph

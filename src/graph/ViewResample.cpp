#include "graph/ViewResample.h"

#include "graph/CurveSampler.h"

#include <cmath>

namespace quorvel::graph {

ResampleNeed resampleNeed(const document::ViewSettings& before, const document::ViewSettings& after) {
    if (before.unitX != after.unitX || before.unitY != after.unitY || before.originY != after.originY)
        return ResampleNeed::All;
    const double dx = after.originX - before.originX;
    if (dx == 0) return ResampleNeed::None;
    return dx == std::trunc(dx) && std::abs(dx) < 1e9 ? ResampleNeed::ShiftColumns : ResampleNeed::All;
}

void followViewChange(expr::Engine& engine, document::Document& doc, int sheetWidth,
                      const document::ViewSettings& before) {
    switch (resampleNeed(before, doc.view)) {
    case ResampleNeed::None:
        return;
    case ResampleNeed::ShiftColumns: {
        const int dx = static_cast<int>(doc.view.originX - before.originX);
        for (int i = 0; i < doc.curveCount(); ++i)
            shiftSamples(engine, doc.curve(i), doc.view, sheetWidth, dx);
        return;
    }
    case ResampleNeed::All:
        resampleAll(engine, doc, sheetWidth);
        return;
    }
}

SheetChange viewCommandChange(const document::ViewSettings& before, const document::ViewSettings& after) {
    SheetChange out = change::kEdit;
    out.resample = resampleNeed(before, after) != ResampleNeed::None;
    return out;
}

} // namespace quorvel::graph

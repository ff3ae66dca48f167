#include "graph/GridCommands.h"

#include "graph/ViewResample.h"

namespace quorvel::graph {

SheetChange selectSquareGrid(document::ViewSettings& view) {
    const document::ViewSettings before = view;
    view.gridKind = document::GridSquare;
    view.unitCommon = view.unitX;
    view.unitY = view.unitX;
    return viewCommandChange(before, view);
}

SheetChange selectRectangularGrid(document::ViewSettings& view) {
    view.gridKind = document::GridRectangular;
    return change::kEdit;
}

SheetChange selectPolarGrid(document::ViewSettings& view) {
    view.gridKind = document::GridPolar;
    return change::kEdit;
}

SheetChange toggleGrid(document::ViewSettings& view) {
    view.gridShown = view.gridShown == 1 ? 0 : 1;
    return change::kEdit;
}

SheetChange toggleAxes(document::ViewSettings& view) {
    view.axesShown = view.axesShown == 1 ? 0 : 1;
    return change::kEdit;
}

SheetChange resetView(document::ViewSettings& view, int sheetWidth, int sheetHeight) {
    const document::ViewSettings before = view;
    const document::ViewSettings fresh = document::ViewSettings::forSheet(sheetWidth, sheetHeight);
    view.originX = fresh.originX;
    view.originY = fresh.originY;
    view.unitX = view.unitY = view.unitCommon = fresh.unitCommon;
    return viewCommandChange(before, view);
}

} // namespace quorvel::graph

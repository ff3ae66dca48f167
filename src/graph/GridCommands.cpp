#include "graph/GridCommands.h"

namespace quorvel::graph {

void selectSquareGrid(document::ViewSettings& view) {
    view.gridKind = document::GridSquare;
    view.unitCommon = view.unitX;
    view.unitY = view.unitX;
}

void selectRectangularGrid(document::ViewSettings& view) {
    view.gridKind = document::GridRectangular;
}

void selectPolarGrid(document::ViewSettings& view) {
    view.gridKind = document::GridPolar;
}

} // namespace quorvel::graph

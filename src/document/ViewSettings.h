#pragma once

namespace quorvel::document {

enum GridKind : int { GridSquare = 0, GridRectangular = 1, GridPolar = 2 };

// The coordinate-system settings stored with a document.
struct ViewSettings {
    double originX = 0; // sheet pixel of the mathematical origin; may lie outside the sheet
    double originY = 0;
    double unitCommon = 100; // pixels per unit while the square grid is active
    double unitX = 100;
    double unitY = 100;
    int gridKind = GridSquare;
    int axesShown = 1;
    int gridShown = 0;

    // Defaults for a new, opened or started document on a sheet of the given size.
    static ViewSettings forSheet(double sheetWidth, double sheetHeight) {
        ViewSettings v;
        v.originX = static_cast<int>(sheetWidth / 2);
        v.originY = static_cast<int>(sheetHeight / 2);
        return v;
    }

    double sheetX(double x) const { return originX + x * unitX; }
    double sheetY(double y) const { return originY - y * unitY; }
    double mathX(double sx) const { return (sx - originX) / unitX; }
    double mathY(double sy) const { return (originY - sy) / unitY; }
};

} // namespace quorvel::document

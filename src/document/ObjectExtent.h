#pragma once

#include "document/Document.h"

#include <optional>

namespace quorvel::document {

// A rectangle in sheet pixels; right and bottom lie just outside it.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PixelBox&) const = default;
};

// The smallest box around the boxes of every graph item and annotation (annotations as last measured).
// A box without area (a curve whose label is empty) takes no room; nothing when no object takes room.
std::optional<PixelBox> objectsExtent(const Document& doc);

// How many objects take room that is not wholly inside a sheet of width x height pixels.
int objectsOutside(const Document& doc, int width, int height);

// A sheet of width x height pixels whose top left corner lies at (left, top) of the document's sheet.
struct SheetFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const SheetFrame&) const = default;
};

// The frame that holds extent with margin pixels to spare and at least a minWidth x minHeight sheet from
// the sheet's corner. It reaches left of or above the corner only for objects that lie there. An axis
// that would need more than maxSide pixels keeps the corner and is cut at maxSide.
SheetFrame coveringFrame(const std::optional<PixelBox>& extent, int minWidth, int minHeight, int margin,
                         int maxSide);

// Moves the whole drawing, the origin and every object, by (dx, dy) pixels.
void moveDrawing(Document& doc, int dx, int dy);

} // namespace quorvel::document

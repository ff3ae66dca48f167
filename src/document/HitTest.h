#pragma once

#include "document/Document.h"

namespace quorvel::document {

// Hit tests on the stored boxes and samples (the press position in sheet pixels). Boxes are hit
// strictly inside: a press on an edge misses.

// First graph item (slot order) whose box contains the point, or -1.
int itemBoxAt(const Document& doc, double x, double y);
// True when item is a curve with a value at column trunc(x) whose point there lies less than 5 pixels
// above or below y.
bool curveLineHit(const Document& doc, const DEFINEFUN& item, double x, double y);
// First curve (slot order) whose line passes the point, or -1.
int curveLineAt(const Document& doc, double x, double y);
// First graph item hit by its box or its curve line, testing each item in slot order, or -1.
int itemAt(const Document& doc, double x, double y);
// First annotation whose stored box contains the point, or -1.
int remarkAt(const Document& doc, double x, double y);

// What copy takes at a press position: any item's box first, then any curve's line, then an
// annotation.
ObjectRef copyTargetAt(const Document& doc, double x, double y);

} // namespace quorvel::document

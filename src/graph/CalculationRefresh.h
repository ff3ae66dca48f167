#pragma once

#include "document/Document.h"
#include "expr/Engine.h"
#include "graph/CurveDrawing.h"
#include "typeset/Canvas.h"

namespace quorvel::graph {

// Recomputes the calculation object (kind 0) in slot index with its current variable values
// (changecal). Its expression, formula "=" result, becomes the formula written back in function form,
// "=" and the new value in the general number format, or "错误" after the recalculation message; the box
// is sized again from the typeset text on measuring. A formula without "=" counts as a whole. Returns
// true when there was a value. Slots that hold no calculation object, and expressions the parser
// refuses (reported like a calculation without value), are left as they are. The engine's current tree
// is free afterwards.
bool changecal(expr::Engine& engine, document::Document& doc, int index, GraphItemPainter& painter,
               typeset::Canvas& measuring);

} // namespace quorvel::graph

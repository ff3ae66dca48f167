#pragma once

#include "document/Document.h"
#include "document/FontSpec.h"
#include "typeset/Canvas.h"

namespace quorvel::graph {

// Sets the canvas font to an annotation's font: the size in points decides when it is given, otherwise
// the character height in pixels.
void applyAnnotationFont(typeset::Canvas& canvas, const document::FontSpec& font);

// Sets right and bottom from the text in the annotation's font (left plus the widest line, top plus the
// lines times the height of "temp"). Leaves the canvas in that font and returns the line height.
int measureRemark(typeset::Canvas& canvas, document::REMARK& remark);

// Measures every annotation (so hit tests see the boxes of the current texts and fonts).
void measureRemarks(typeset::Canvas& canvas, document::Document& doc);

// The annotations layer of the sheet, in slot order: each one measured, a selected one on the selection
// pink, its lines one line height apart in its font and colour. The canvas font is restored afterwards.
void Draw_remark(typeset::Canvas& canvas, document::Document& doc);

} // namespace quorvel::graph

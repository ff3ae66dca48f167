#pragma once

#include "base/MessageSink.h"
#include "document/Document.h"
#include "document/Records.h"
#include "document/ViewSettings.h"
#include "expr/Engine.h"

namespace quorvel::graph {

// Samples item for the view on a sheet sheetWidth pixels wide: every pixel column j = 0 … sheetWidth
// (the last one included) gets x = (j - originX) / unitX in xs and, where x lies inside the item's
// domain and the formula has a value there, defined 1 and the value in ys. The buffers are sized to the
// sheet, so any width works. The item's parameters are loaded into the engine's variable table first.
// Only curves (kinds 2 and 3) are evaluated; other items are left without samples. A formula the parser
// refuses gives a curve without points; nothing is reported. Why columns have no value (the natural-number
// test of fac, c and p) is said once per curve through the engine's sink, which shows it once per command.
void confirm_funvalue(expr::Engine& engine, document::DEFINEFUN& item, const document::ViewSettings& view,
                      int sheetWidth);

// Samples every graph item of the document (after a view change, a resize or reading a document).
void resampleAll(expr::Engine& engine, document::Document& doc, int sheetWidth);

// The sheet was panned by dx pixels: the samples move with it and only the columns that came into view
// are evaluated (with the names of the formula completed in the variable table, as a pan does). A step
// as wide as the sheet, or buffers of another width, resample everything.
void shiftSamples(expr::Engine& engine, document::DEFINEFUN& item, const document::ViewSettings& view,
                  int sheetWidth, int dx);

// The hook that reading a document, undo, redo and paste call for each graph item they build.
document::ResampleHook resampleHook(expr::Engine& engine, const document::ViewSettings& view, int sheetWidth);

} // namespace quorvel::graph

#pragma once

#include "document/Document.h"
#include "document/ViewSettings.h"
#include "expr/Engine.h"
#include "graph/SheetChange.h"

namespace quorvel::graph {

// How much sampling a change of the view needs. Samples are values per pixel column, so they follow the
// x origin and unit; the refined branch ends also follow the y origin and unit (where a curve leaves
// the sheet at the top or bottom).
enum class ResampleNeed {
    None,         // nothing the samples depend on changed
    ShiftColumns, // a pan by whole columns only: the samples move and the new columns are evaluated
    All,
};

// The one rule for every road that changes the view (dragging, the wheel, the grid commands, the
// default view).
[[nodiscard]] ResampleNeed resampleNeed(const document::ViewSettings& before,
                                        const document::ViewSettings& after);

// Brings every graph item of doc up to date after its view changed from before, as the rule says.
void followViewChange(expr::Engine& engine, document::Document& doc, int sheetWidth,
                      const document::ViewSettings& before);

// What a command that set the view from before to after changed: one history entry, resampling
// everything when the rule needs any sampling.
[[nodiscard]] SheetChange viewCommandChange(const document::ViewSettings& before,
                                            const document::ViewSettings& after);

} // namespace quorvel::graph

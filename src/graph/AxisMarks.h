#pragma once

#include "document/ViewSettings.h"
#include "typeset/Canvas.h"

#include <string_view>

namespace quorvel::graph {

// Pieces shared by the rectangular and the polar coordinate system.

// The main window's font for tick labels, black, drawn without background.
void useLabelFont(typeset::Canvas& canvas);

// The 7 x 7 square handle at the point (1, 0), which the user drags to change the x unit.
void drawXUnitMarker(typeset::Canvas& canvas, const document::ViewSettings& view);
// The handle at (0, 1); the square grid has none, since both axes share one unit there.
void drawYUnitMarker(typeset::Canvas& canvas, const document::ViewSettings& view);

// An axis letter at 14 points; the label font size is restored afterwards.
void drawAxisLetter(typeset::Canvas& canvas, int x, int y, std::string_view letter);

} // namespace quorvel::graph

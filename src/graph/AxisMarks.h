#pragma once

#include "document/ViewSettings.h"
#include "graph/TickTable.h"
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

// Labels are drawn at every `stride`-th major step, the smallest of 1, 2, 5, 10, 20, ... at which
// neighbours stay clear of one another; the grid and the ticks keep every step. The x stride measures the
// widest label that can reach the sheet in the label font already set; the y stride the label height.
[[nodiscard]] double xLabelStride(typeset::Canvas& canvas, const document::ViewSettings& view,
                                  const TickStep& step, double panelWidth);
[[nodiscard]] double yLabelStride(typeset::Canvas& canvas, const TickStep& step);
// Whether major step i carries a label at that stride.
[[nodiscard]] bool labelledStep(double i, double stride);

// An axis letter at 14 points; the label font size is restored afterwards.
void drawAxisLetter(typeset::Canvas& canvas, int x, int y, std::string_view letter);

} // namespace quorvel::graph

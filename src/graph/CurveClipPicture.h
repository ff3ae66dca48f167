#pragma once

#include "document/Records.h"
#include "document/ViewSettings.h"
#include "typeset/Canvas.h"

#include <cstdint>
#include <vector>

namespace quorvel::graph {

// The picture of a copied curve: as wide as the sheet and as high as the rows the curve reaches on it,
// with the points in picture pixels, split where the sheet lifts its pen.
struct CurveClipPicture {
    int width = 1;
    int height = 1;
    std::vector<std::vector<typeset::Point>> polylines; // each one point or more
};

// Columns of item hidden by the domain of a piecewise formula (1 = hidden), for the sheet columns
// 0 … columns - 1; empty when the formula has no such domain.
[[nodiscard]] std::vector<std::uint8_t> hiddenColumns(const document::DEFINEFUN& item,
                                                      const document::ViewSettings& view, int columns);

// Builds the picture from item's samples over the sheet columns 0 … sheetWidth - 1. Only points the
// sheet draws count: those inside the band of rows drawn, with a value, in the domain. So the height
// stays bounded (poles and huge values lie outside the band) and is at least 1 pixel. Points are joined
// where the sheet joins them: not across a jump of more than kJumpPixels nor across a missing point.
[[nodiscard]] CurveClipPicture curveClipPicture(const document::DEFINEFUN& item,
                                                const document::ViewSettings& view, int sheetWidth);

} // namespace quorvel::graph

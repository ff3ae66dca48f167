#pragma once

#include "document/Document.h"
#include "graph/SheetChange.h"

#include <functional>
#include <optional>
#include <string_view>

namespace quorvel::graph {

// The colour dialog: the chosen colour (0xBBGGRR as stored), or nothing on cancel.
using ColourChooser = std::function<std::optional<int>(int current)>;

// 修改颜色: the curve named first in the selection takes the chosen colour, whatever lies in earlier slots.
[[nodiscard]] SheetChange recolourSelectedCurve(document::Document& doc, const ColourChooser& chooseColour);
// 粗线 / 细线: the curve named first in the selection switches its line width. It stays selected and
// drawn in the selection style, so the new width shows once it is not.
[[nodiscard]] SheetChange toggleThickLine(document::Document& doc);
// The caption of the line-width item for the curve named first in the selection: what it will do.
[[nodiscard]] std::string_view thickLineCaption(const document::Document& doc);

} // namespace quorvel::graph

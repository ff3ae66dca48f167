#pragma once

#include "typeset/Canvas.h"

#include <vector>

namespace quorvel::graph {

// A line on the sheet through points between pixels (sheet pixels, x to the right, y down), drawn as one
// stroke so a dash pattern runs on along it.
using SheetPath = std::vector<typeset::PointF>;

} // namespace quorvel::graph

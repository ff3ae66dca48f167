#pragma once

#include "document/ViewSettings.h"

#include <string>

namespace quorvel::graph {

// The status bar text for the pointer at sheet pixel (x, y): the mathematical coordinates cut toward
// zero to the decimals the zoom makes meaningful (two at the default 100 pixels per unit), e.g.
// "当前鼠标的坐标为：(1.23,-0.5)".
std::string mouseCoordinateText(const document::ViewSettings& view, double x, double y);

} // namespace quorvel::graph

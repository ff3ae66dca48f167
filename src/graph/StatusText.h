#pragma once

#include "base/UiText.h"
#include "document/ViewSettings.h"

#include <string>
#include <string_view>

namespace quorvel::graph {

// The status bar text for the pointer at sheet pixel (x, y): the mathematical coordinates cut toward
// zero to the decimals the zoom makes meaningful (two at the default 100 pixels per unit), e.g.
// "当前鼠标的坐标为：(1.23,-0.5)"; pattern puts x at %1 and y at %2 (another language's words).
inline constexpr const char* kPointerStatus = UI_TEXT("当前鼠标的坐标为：(%1,%2)");
std::string mouseCoordinateText(const document::ViewSettings& view, double x, double y,
                                std::string_view pattern = kPointerStatus);

} // namespace quorvel::graph

#pragma once

#include "base/UiText.h"

#include <string>

namespace quorvel::graph {

// The words of the sheet's reading labels and the trace's status, Chinese by default. The window gives
// them in the interface language once, so drawing the sheet never looks a text up.
struct ReadingWords {
    std::string zero = UI_TEXT("零点");
    std::string minimum = UI_TEXT("极小值");
    std::string maximum = UI_TEXT("极大值");
    std::string yIntercept = UI_TEXT("与y轴的交点");
    std::string intersection = UI_TEXT("交点");
    std::string trace = UI_TEXT("追踪 %1：x = %2, y = %3");            // curve name, x, y
    std::string traceUndefined = UI_TEXT("追踪 %1：x = %2, y 无定义"); // curve name, x
    // Along a parametric or polar curve: curve name, t or θ, its value, x, y.
    std::string traceAlong = UI_TEXT("追踪 %1：%2 = %3, x = %4, y = %5");
    std::string traceAlongUndefined = UI_TEXT("追踪 %1：%2 = %3, 无定义");
};

} // namespace quorvel::graph

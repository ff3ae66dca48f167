#include "graph/CoordinateText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvel::graph {

int meaningfulDecimals(double unit) {
    if (!(unit > 0) || !std::isfinite(unit)) return 2;
    return std::clamp(static_cast<int>(std::ceil(std::log10(unit) - 1e-9)), 2, 12);
}

std::string roundedCoordinate(double value, int decimals) {
    if (!std::isfinite(value)) return "?";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 15), value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string pointText(double x, double y, double unitX, double unitY) {
    return "(" + roundedCoordinate(x, meaningfulDecimals(unitX)) + ", " +
           roundedCoordinate(y, meaningfulDecimals(unitY)) + ")";
}

} // namespace quorvel::graph

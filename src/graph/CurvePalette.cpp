#include "graph/CurvePalette.h"

#include <algorithm>

namespace quorvel::graph {

int nextCurveColour(const document::Document& doc) {
    int curves = 0;
    for (const typeset::Color colour : kCurvePalette) {
        bool taken = false;
        for (int i = 0; i < doc.curveCount() && !taken; ++i)
            taken = doc.curve(i).hasLine() && doc.curve(i).colour == static_cast<int>(colour);
        if (!taken) return static_cast<int>(colour);
    }
    for (int i = 0; i < doc.curveCount(); ++i)
        curves += doc.curve(i).hasLine() ? 1 : 0;
    return static_cast<int>(kCurvePalette[static_cast<std::size_t>(curves) % kCurvePalette.size()]);
}

} // namespace quorvel::graph

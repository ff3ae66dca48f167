#include "document/Records.h"

#include <algorithm>

namespace quorvel::document {

void DEFINEFUN::resizeSamples(int columns) {
    const auto n = static_cast<std::size_t>(std::max(columns, 0));
    defined.assign(n, 0);
    xs.assign(n, 0.0);
    ys.assign(n, 0.0);
    branchEnds.clear();
}

bool DEFINEFUN::hasValueAt(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < defined.size() &&
           static_cast<std::size_t>(column) < ys.size() && defined[static_cast<std::size_t>(column)] != 0;
}

bool DEFINEFUN::sameStoredFields(const DEFINEFUN& o) const {
    if (paramCount != o.paramCount) return false;
    const auto n = static_cast<std::size_t>(std::clamp(paramCount, 0, kMaxParams));
    return labelLeft == o.labelLeft && labelTop == o.labelTop && labelRight == o.labelRight &&
           labelBottom == o.labelBottom && domainStart == o.domainStart && domainEnd == o.domainEnd &&
           kind == o.kind && expression == o.expression && name == o.name && labelColours == o.labelColours &&
           labelFontName == o.labelFontName && thickLine == o.thickLine && labelFontSize == o.labelFontSize &&
           colour == o.colour &&
           std::equal(paramNames.begin(), paramNames.begin() + n, o.paramNames.begin()) &&
           std::equal(paramValues.begin(), paramValues.begin() + n, o.paramValues.begin());
}

} // namespace quorvel::document

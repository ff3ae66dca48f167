#pragma once

#include "document/Document.h"
#include "typeset/Canvas.h"

#include <array>

namespace quorvel::graph {

// Colours for new curves, each well apart from the others and readable on white (none near the pink and
// magenta of a selection); the first is the blue curves always had.
inline constexpr std::array<typeset::Color, 7> kCurvePalette = {
    typeset::rgb(0, 0, 255),   typeset::rgb(214, 39, 40),  typeset::rgb(0, 140, 60),
    typeset::rgb(230, 110, 0), typeset::rgb(120, 50, 170), typeset::rgb(0, 128, 128),
    typeset::rgb(140, 86, 40),
};

// The colour a new curve takes on doc: the first of the palette that no curve of doc has; when every one is
// taken, the palette goes round with the number of curves.
[[nodiscard]] int nextCurveColour(const document::Document& doc);

} // namespace quorvel::graph

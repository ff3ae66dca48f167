#pragma once

#include "typeset/Canvas.h"

namespace quorvel::graph {

// Colours and fonts of the coordinate system.
inline constexpr typeset::Color kSheetBackground = typeset::rgb(255, 255, 255);
inline constexpr typeset::Color kGridGrey = typeset::rgb(100, 100, 100);
inline constexpr typeset::Color kMinorGridGrey = typeset::rgb(225, 225, 225);
inline constexpr typeset::Color kAxisColor = typeset::rgb(20, 20, 20);
inline constexpr typeset::Color kMarkerColor = typeset::rgb(0, 0, 0);

// The main window's font, used for the tick labels; the axis letters are drawn at 14 points.
inline constexpr const char* kSheetFontName = "宋体";
inline constexpr int kSheetFontPixelHeight = 12;
inline constexpr int kAxisLetterPoints = 14;

} // namespace quorvel::graph

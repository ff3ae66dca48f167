#pragma once

#include "document/FontSpec.h"

#include <QColor>
#include <QFont>

namespace quorvel::app {

// The Qt side of a stored font: the size in points decides when it is given, otherwise the character
// height in pixels.
QFont toQFont(const document::FontSpec& font);
// A QFont with its colour as a stored font (the character height follows the point size).
document::FontSpec fromQFont(const QFont& font, int colour, int charset = document::kCharsetGb2312);
// The font's colour; system colours through the palette.
QColor fontColour(const document::FontSpec& font);

} // namespace quorvel::app

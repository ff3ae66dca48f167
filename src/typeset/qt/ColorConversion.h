#pragma once

#include "typeset/Canvas.h"

#include <QColor>
#include <QPalette>

namespace quorvel::typeset {

// The palette that system colours resolve to: the application's when there is one.
QPalette currentPalette();

// A stored colour as a QColor: RGB values directly (red in the lowest byte), system colours through the
// palette. Unknown system roles give the palette's window text colour.
QColor toQColor(Color color, const QPalette& palette);
QColor toQColor(Color color);

// A QColor as a stored colour (RGB, alpha dropped). Never gives a system colour.
Color fromQColor(const QColor& color);

} // namespace quorvel::typeset

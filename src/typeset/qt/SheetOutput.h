#pragma once

#include "typeset/qt/QtCanvas.h"

#include <QByteArray>
#include <QRect>
#include <QSize>

#include <functional>

namespace quorvel::typeset {

// A whole drawing sheet in files, drawn by the same code as the screen: draw paints it in the sheet's
// logical pixels.
using SheetDrawing = std::function<void(QtCanvas&)>;

// A bitmap (PNG, BMP, JPEG: Qt's format name) on white, scale times the sheet's pixels (2 for a sharp
// copy, more for print resolution); dotsPerMeter, when given, is stored in the file. Empty on failure.
[[nodiscard]] QByteArray sheetBitmap(const QSize& sheet, const QByteArray& format, const SheetDrawing& draw,
                                     double scale = 1, int dotsPerMeter = 0);
// SVG with lines as lines and text as text.
[[nodiscard]] QByteArray sheetSvg(const QSize& sheet, const SheetDrawing& draw);
// One A4 page turned as the sheet is, 10 mm margins; the sheet goes where place puts it in the page's
// printable pixels (the printed-page rule).
using PagePlacement = std::function<QRect(const QSize& page, const QSize& sheet)>;
[[nodiscard]] QByteArray sheetPdf(const QSize& sheet, const SheetDrawing& draw, const PagePlacement& place);

} // namespace quorvel::typeset

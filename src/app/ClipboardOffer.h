#pragma once

#include "document/Document.h"
#include "typeset/qt/QtTextCache.h"

#include <memory>

class QMimeData;

namespace quorvel::app {

// How copy found a graph item: inside its box (the item's formula is pictured) or on its curve line (the
// curve is pictured).
enum class ItemHit { Box, Line };

// What the system clipboard gets for a copied object, on a light grey ground with a white outline:
// - a formula picture or calculation object (or any item hit by its box): its markup typeset in the
//   item's label font, size and colours, as wide as its box on the sheet, as PNG and SVG;
// - a curve hit by its line: the curve in its colour, as wide as the sheet (sheetWidth) and as high as
//   the rows the sheet draws it in, as PNG;
// - an annotation: its text lines in its font and colour, as PNG and SVG.
// Formula pictures and calculations also offer their formula as MathML (application/mathml+xml).
// Items also offer their markup, annotations their text (lines joined by LF), as UTF-8 text. Bitmaps
// stay within the picture size limits. nullptr when target names no object of doc.
[[nodiscard]] std::unique_ptr<QMimeData> clipboardOffer(const document::Document& doc,
                                                        document::ObjectRef target, ItemHit hit,
                                                        int sheetWidth,
                                                        const std::shared_ptr<typeset::QtTextCache>& cache);

// The same, with curves (kinds 2 and 3) taken as hit by their line and other items by their box.
[[nodiscard]] std::unique_ptr<QMimeData> clipboardOffer(const document::Document& doc,
                                                        document::ObjectRef target, int sheetWidth,
                                                        const std::shared_ptr<typeset::QtTextCache>& cache);

// The offer for the object copy takes at the press position (x, y): an item's box first, then a curve's
// line, then an annotation. nullptr when nothing is there.
[[nodiscard]] std::unique_ptr<QMimeData> clipboardOfferAt(const document::Document& doc, double x, double y,
                                                          int sheetWidth,
                                                          const std::shared_ptr<typeset::QtTextCache>& cache);

} // namespace quorvel::app

#pragma once

#include "typeset/FormulaStyle.h"
#include "typeset/TypesetFormula.h"
#include "typeset/qt/QtTextCache.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

class QPainter;

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::typeset {

// Typesets markup with Qt's font metrics (see TypesetFormula::fromMarkup).
TypesetFormula typesetMarkup(std::string_view markup, const FormulaStyle& style,
                             const std::shared_ptr<QtTextCache>& cache, std::string* refusal = nullptr);

struct PictureOptions {
    QColor background = Qt::white; // may be transparent (PNG, SVG)
    // A picture larger than this is drawn scaled down to fit, instead of asking for a bitmap of
    // gigabytes (a huge font size or a very long formula).
    int maxSide = 16384;
    qint64 maxPixels = 40'000'000;
};

// The scale (at most 1) at which a picture of width x height fits the options' limits.
double pictureScale(int width, int height, const PictureOptions& options);

// The picture as a bitmap: background filled, formula drawn with its pen start. Null for an empty formula.
QImage renderFormulaImage(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                          const PictureOptions& options = {});
// The picture as an SVG document (text stays text, bars and radicals are lines). Empty for an empty formula.
QByteArray renderFormulaSvg(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                            const PictureOptions& options = {});
// The picture as a one-page PDF of the picture's size. Empty for an empty formula.
QByteArray renderFormulaPdf(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                            const PictureOptions& options = {});

// The SVG document with its width and height stated in pixels instead of the generator's millimetres,
// which viewers convert back at differing resolutions.
QByteArray svgWithPixelSize(const QByteArray& svg, const QSize& size);
// An SVG document of size pixels at 96 dpi, titled title, drawn by paint; empty when it cannot be made.
QByteArray svgDocument(const QSize& size, const QString& title, const std::function<void(QPainter&)>& paint);

enum class PictureFormat { Png, Bmp, Svg, Pdf };
// By the file's suffix, ignoring case; nothing for another suffix.
std::optional<PictureFormat> pictureFormatFor(const QString& path);

// Writes the picture to path in the format its suffix names, replacing the file only when the whole
// picture was written. On failure returns false with a message in error.
bool writeFormulaPicture(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                         const QString& path, QString* error, const PictureOptions& options = {});

} // namespace quorvel::typeset

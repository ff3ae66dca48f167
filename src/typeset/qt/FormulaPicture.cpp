#include "typeset/qt/FormulaPicture.h"

#include "base/UiText.h"
#include "codec/AtomicSave.h"
#include "typeset/qt/QtCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvel::typeset {

namespace {

QSize scaledSize(int width, int height, double scale) {
    return {std::max(1, static_cast<int>(std::ceil(width * scale))),
            std::max(1, static_cast<int>(std::ceil(height * scale)))};
}

// Fills the background and draws the formula through painter, scaled to fit the options' limits.
void paintPicture(QPainter& painter, TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                  const PictureOptions& options) {
    const double scale = pictureScale(formula.pictureWidth(), formula.pictureHeight(), options);
    const QSize size = scaledSize(formula.pictureWidth(), formula.pictureHeight(), scale);
    if (options.background.alpha() > 0) painter.fillRect(QRect(QPoint(0, 0), size), options.background);
    painter.scale(scale, scale);
    QtCanvas canvas(painter, cache);
    canvas.setPen(kBlack, 1, PenStyle::Solid);
    canvas.setBrush(kWhite, BrushStyle::Clear);
    formula.drawPicture(canvas);
}

} // namespace

TypesetFormula typesetMarkup(std::string_view markup, const FormulaStyle& style,
                             const std::shared_ptr<QtTextCache>& cache, std::string* refusal) {
    QtCanvas measuring(cache);
    return TypesetFormula::fromMarkup(markup, style, measuring, refusal);
}

// The generator states the document's size in millimetres, which viewers convert back at differing
// resolutions; a size in pixels shows the picture exactly as large as its bitmap.
QByteArray svgWithPixelSize(const QByteArray& svg, const QSize& size) {
    const qsizetype open = svg.indexOf("<svg");
    const qsizetype close = open < 0 ? -1 : svg.indexOf('>', open);
    if (close < 0) return svg;
    QByteArray head = svg.mid(open, close - open);
    for (const auto& [name, value] : {std::pair{QByteArray(" width=\""), size.width()},
                                      std::pair{QByteArray(" height=\""), size.height()}}) {
        const qsizetype at = head.indexOf(name);
        const qsizetype end = at < 0 ? -1 : head.indexOf('"', at + name.size());
        if (end >= 0)
            head.replace(at + name.size(), end - at - name.size(), QByteArray::number(value) + "px");
    }
    return svg.left(open) + head + svg.mid(close);
}

double pictureScale(int width, int height, const PictureOptions& options) {
    if (width <= 0 || height <= 0) return 1.0;
    double scale = 1.0;
    scale = std::min(scale, static_cast<double>(options.maxSide) / width);
    scale = std::min(scale, static_cast<double>(options.maxSide) / height);
    const double pixels = static_cast<double>(width) * height;
    if (pixels > static_cast<double>(options.maxPixels))
        scale = std::min(scale, std::sqrt(static_cast<double>(options.maxPixels) / pixels));
    return scale;
}

QImage renderFormulaImage(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                          const PictureOptions& options) {
    if (formula.empty() || formula.pictureWidth() <= 0 || formula.pictureHeight() <= 0) return {};
    const double scale = pictureScale(formula.pictureWidth(), formula.pictureHeight(), options);
    QImage image(scaledSize(formula.pictureWidth(), formula.pictureHeight(), scale),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintPicture(painter, formula, cache, options);
    return image;
}

QByteArray renderFormulaSvg(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                            const PictureOptions& options) {
    if (formula.empty() || formula.pictureWidth() <= 0 || formula.pictureHeight() <= 0) return {};
    const QSize size(formula.pictureWidth(), formula.pictureHeight());
    return svgDocument(size, QStringLiteral("Quorvel formula"), [&](QPainter& painter) {
        PictureOptions unscaled = options;
        unscaled.maxSide = std::max(options.maxSide, std::max(size.width(), size.height()));
        unscaled.maxPixels = std::max<qint64>(options.maxPixels, qint64(size.width()) * size.height());
        paintPicture(painter, formula, cache, unscaled);
    });
}

QByteArray svgDocument(const QSize& size, const QString& title, const std::function<void(QPainter&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(title);
    {
        QPainter painter;
        if (!painter.begin(&generator)) return {};
        paint(painter);
    }
    return svgWithPixelSize(bytes, size);
}

QByteArray renderFormulaPdf(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                            const PictureOptions& options) {
    if (formula.empty() || formula.pictureWidth() <= 0 || formula.pictureHeight() <= 0) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setCreator(QStringLiteral("Quorvel"));
        // The page is the picture: 96 device pixels per inch, 72 points per inch.
        const QSizeF points(formula.pictureWidth() * 72.0 / 96.0, formula.pictureHeight() * 72.0 / 96.0);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        PictureOptions unscaled = options;
        unscaled.maxSide = std::max({options.maxSide, formula.pictureWidth(), formula.pictureHeight()});
        unscaled.maxPixels =
            std::max<qint64>(options.maxPixels, qint64(formula.pictureWidth()) * formula.pictureHeight());
        paintPicture(painter, formula, cache, unscaled);
    }
    return bytes;
}

std::optional<PictureFormat> pictureFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

bool writeFormulaPicture(TypesetFormula& formula, const std::shared_ptr<QtTextCache>& cache,
                         const QString& path, QString* error, const PictureOptions& options) {
    auto fail = [&](const QString& message) {
        if (error) *error = message;
        return false;
    };
    const auto format = pictureFormatFor(path);
    if (!format)
        return fail(
            QString::fromUtf8(UI_TEXT("不认识的图片格式（可用 .png、.bmp、.svg 或 .pdf）：%1")).arg(path));
    if (formula.empty()) return fail(QString::fromUtf8(UI_TEXT("公式是空的，没有可以导出的图片")));

    QByteArray bytes;
    switch (*format) {
    case PictureFormat::Png:
    case PictureFormat::Bmp: {
        QImage image = renderFormulaImage(formula, cache, options);
        if (image.isNull()) return fail(QString::fromUtf8(UI_TEXT("图片太大，无法生成")));
        if (*format == PictureFormat::Bmp) {
            // Bitmaps hold no transparency: flatten onto white.
            QImage flat(image.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter(&flat).drawImage(0, 0, image);
            image = flat;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, *format == PictureFormat::Png ? "PNG" : "BMP"))
            return fail(QString::fromUtf8(UI_TEXT("无法编码图片")));
        break;
    }
    case PictureFormat::Svg:
        bytes = renderFormulaSvg(formula, cache, options);
        break;
    case PictureFormat::Pdf:
        bytes = renderFormulaPdf(formula, cache, options);
        break;
    }
    if (bytes.isEmpty()) return fail(QString::fromUtf8(UI_TEXT("无法生成图片")));

    QString reason;
    if (!codec::saveBytesAtomically(path, bytes, &reason))
        return fail(QString::fromUtf8(UI_TEXT("无法写入%1：%2")).arg(path, reason));
    return true;
}

} // namespace quorvel::typeset

#include "typeset/qt/SheetOutput.h"

#include "typeset/qt/FormulaPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace quorvel::typeset {

namespace {

// The resolution of the PDF page: fine enough that nothing is rounded to a visible step.
constexpr int kPdfResolution = 1200;

} // namespace

QByteArray sheetBitmap(const QSize& sheet, const QByteArray& format, const SheetDrawing& draw, double scale,
                       int dotsPerMeter) {
    if (!(scale > 0) || !std::isfinite(scale)) return {};
    const QSize pixels(static_cast<int>(std::ceil(sheet.width() * scale)),
                       static_cast<int>(std::ceil(sheet.height() * scale)));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(Qt::white);
    if (dotsPerMeter > 0) {
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    if (scale == 1) {
        QtCanvas canvas(image);
        canvas.setLineQuality(LineQuality::Smooth);
        draw(canvas);
    } else {
        QPainter painter(&image);
        drawScaled(painter, QRect(QPoint(0, 0), pixels), sheet, nullptr, LineQuality::Smooth, draw);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format.constData())) return {};
    return bytes;
}

QByteArray sheetSvg(const QSize& sheet, const SheetDrawing& draw) {
    return svgDocument(sheet, QStringLiteral("Quorvel sheet"), [&](QPainter& painter) {
        drawScaled(painter, QRect(QPoint(0, 0), sheet), sheet, nullptr, LineQuality::Smooth, draw);
    });
}

QByteArray sheetPdf(const QSize& sheet, const SheetDrawing& draw, const PagePlacement& place) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setTitle(QStringLiteral("Quorvel sheet"));
        writer.setResolution(kPdfResolution);
        const auto orientation =
            sheet.width() > sheet.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        const QSize page = writer.pageLayout().paintRectPixels(writer.resolution()).size();
        drawScaled(painter, place(page, sheet), sheet, nullptr, LineQuality::Smooth, draw);
    }
    return bytes;
}

} // namespace quorvel::typeset

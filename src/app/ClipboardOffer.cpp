#include "app/ClipboardOffer.h"

#include "document/AnnotationLayout.h"
#include "document/HitTest.h"
#include "graph/AnnotationDrawing.h"
#include "graph/CurveClipPicture.h"
#include "typeset/MathmlWriter.h"
#include "typeset/TypesetFormula.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/QtCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace quorvel::app {

using document::DEFINEFUN;
using document::ObjectRef;
using document::REMARK;

namespace {

// White, as the page the picture is pasted on.
constexpr typeset::Color kGround = typeset::kWhite;
const QString kSvgMime = QStringLiteral("image/svg+xml");
const QString kMathmlMime = QStringLiteral("application/mathml+xml");

using Content = std::function<void(typeset::Canvas&)>;

// White ground, then the content.
void paint(typeset::QtCanvas& canvas, QSize size, const Content& content) {
    canvas.setPen(typeset::kWhite, 1, typeset::PenStyle::Solid);
    canvas.setBrush(kGround, typeset::BrushStyle::Solid);
    canvas.rectangle({0, 0, size.width(), size.height()});
    canvas.setBrush(kGround, typeset::BrushStyle::Clear);
    canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
    content(canvas);
}

// A size from a file or a measurement may be anything; a picture has at least one pixel each way.
QSize pictureSize(long long width, long long height) {
    const auto side = [](long long v) { return static_cast<int>(std::clamp<long long>(v, 1, 1 << 24)); };
    return {side(width), side(height)};
}

// The bitmap, scaled down to the picture limits when the size asks for more.
// At the screen's pixel ratio, so the copy is as sharp as the sheet it came from.
QImage paintImage(QSize size, const Content& content, const std::shared_ptr<typeset::QtTextCache>& cache) {
    const double ratio = std::max(1.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    const double scale =
        typeset::pictureScale(static_cast<int>(std::ceil(size.width() * ratio)),
                              static_cast<int>(std::ceil(size.height() * ratio)), typeset::PictureOptions{});
    const QSize scaled(std::max(1, static_cast<int>(std::ceil(size.width() * ratio * scale))),
                       std::max(1, static_cast<int>(std::ceil(size.height() * ratio * scale))));
    QImage image(scaled, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale * ratio, scale * ratio);
    typeset::QtCanvas canvas(painter, cache);
    paint(canvas, size, content);
    return image;
}

QByteArray paintSvg(QSize size, const Content& content, const std::shared_ptr<typeset::QtTextCache>& cache) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    {
        QPainter painter;
        if (!painter.begin(&generator)) return {};
        typeset::QtCanvas canvas(painter, cache);
        paint(canvas, size, content);
    }
    return bytes;
}

void offerPicture(QMimeData& data, QSize size, const Content& content,
                  const std::shared_ptr<typeset::QtTextCache>& cache, bool svg) {
    const QImage image = paintImage(size, content, cache);
    if (!image.isNull()) data.setImageData(image);
    if (!svg) return;
    const QByteArray bytes = paintSvg(size, content, cache);
    if (!bytes.isEmpty()) data.setData(kSvgMime, bytes);
}

void offerFormula(QMimeData& data, const DEFINEFUN& item,
                  const std::shared_ptr<typeset::QtTextCache>& cache) {
    typeset::FormulaStyle style;
    style.colors = typeset::TokenColors::fromArray(item.labelColours);
    style.fontName = item.labelFontName;
    style.fontSize = item.labelFontSize;
    typeset::TypesetFormula formula = typeset::typesetMarkup(item.expression, style, cache);
    if (formula.empty()) return; // a markup the parser refuses has no picture; the text is still offered
    const typeset::FormulaLayout& layout = formula.layout();
    // As wide as the box on the sheet, whose bracket allowance absorbs the brackets drawing adds.
    // Box edges from a file can be anything: subtract without overflow.
    const long long box = static_cast<long long>(item.labelRight) - item.labelLeft;
    const long long width = box > 0 ? box : layout.boxWidth();
    const QSize size = pictureSize(width, static_cast<long long>(layout.height) + 15);
    const Content content = [&formula, axis = size.height() / 2](typeset::Canvas& canvas) {
        canvas.setFontStyle(false, false, false, false);
        formula.drawAt(canvas, 5, axis);
    };
    offerPicture(data, size, content, cache, true);
    // The same tree as the picture, so that a formula editor elsewhere can take it as a formula.
    data.setData(kMathmlMime,
                 QByteArray::fromStdString(typeset::mathmlDocument(typeset::toMathml(*formula.root()))));
}

void offerCurve(QMimeData& data, const document::Document& doc, const DEFINEFUN& item, int sheetWidth,
                const std::shared_ptr<typeset::QtTextCache>& cache) {
    const graph::CurveClipPicture picture = graph::curveClipPicture(item, doc.view, sheetWidth);
    const int penWidth = item.thickLine != 0 ? 2 : 1;
    const Content content = [&picture, &item, penWidth](typeset::Canvas& canvas) {
        canvas.setPen(item.colour, penWidth, typeset::PenStyle::Solid);
        for (const auto& run : picture.polylines) {
            if (run.size() == 1)
                canvas.line(run[0].x, run[0].y, run[0].x, run[0].y);
            else
                canvas.polyline(run);
        }
    };
    offerPicture(data, pictureSize(picture.width, picture.height), content, cache, false);
}

void offerRemark(QMimeData& data, const REMARK& stored, const std::shared_ptr<typeset::QtTextCache>& cache) {
    // The stored right and bottom are only as fresh as the last drawing: measure again.
    REMARK remark = stored;
    typeset::QtCanvas measuring(cache);
    const int lineHeight = graph::measureRemark(measuring, remark);
    const QSize size = pictureSize(static_cast<long long>(remark.right) - remark.left,
                                   static_cast<long long>(remark.bottom) - remark.top);
    const Content content = [&remark, lineHeight](typeset::Canvas& canvas) {
        graph::applyAnnotationFont(canvas, remark.font);
        int y = 0;
        for (const auto line : document::annotationLines(remark.text)) {
            canvas.textOut(0, y, line);
            y += lineHeight;
        }
    };
    offerPicture(data, size, content, cache, true);
}

QString annotationText(const std::string& text) {
    QStringList lines;
    for (const auto line : document::annotationLines(text))
        lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

std::unique_ptr<QMimeData> clipboardOffer(const document::Document& doc, ObjectRef target, ItemHit hit,
                                          int sheetWidth,
                                          const std::shared_ptr<typeset::QtTextCache>& cache) {
    auto data = std::make_unique<QMimeData>();
    if (target.type == ObjectRef::Curve && target.slot >= 0 && target.slot < doc.curveCount()) {
        const DEFINEFUN& item = doc.curve(target.slot);
        if (item.isCurve() && hit == ItemHit::Line)
            offerCurve(*data, doc, item, sheetWidth, cache);
        else
            offerFormula(*data, item, cache);
        data->setText(QString::fromStdString(item.expression));
        return data;
    }
    if (target.type == ObjectRef::Remark && target.slot >= 0 && target.slot < doc.remarkCount()) {
        const REMARK& remark = doc.remark(target.slot);
        offerRemark(*data, remark, cache);
        data->setText(annotationText(remark.text));
        return data;
    }
    return nullptr;
}

std::unique_ptr<QMimeData> clipboardOffer(const document::Document& doc, ObjectRef target, int sheetWidth,
                                          const std::shared_ptr<typeset::QtTextCache>& cache) {
    const bool curve = target.type == ObjectRef::Curve && target.slot >= 0 &&
                       target.slot < doc.curveCount() && doc.curve(target.slot).isCurve();
    return clipboardOffer(doc, target, curve ? ItemHit::Line : ItemHit::Box, sheetWidth, cache);
}

std::unique_ptr<QMimeData> clipboardOfferAt(const document::Document& doc, double x, double y, int sheetWidth,
                                            const std::shared_ptr<typeset::QtTextCache>& cache) {
    if (const int slot = document::itemBoxAt(doc, x, y); slot >= 0)
        return clipboardOffer(doc, {ObjectRef::Curve, slot}, ItemHit::Box, sheetWidth, cache);
    return clipboardOffer(doc, document::copyTargetAt(doc, x, y), ItemHit::Line, sheetWidth, cache);
}

} // namespace quorvel::app

#include "typeset/qt/QtCanvas.h"

#include "typeset/Typesetter.h"
#include "typeset/qt/ColorConversion.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <QSize>

#include <algorithm>

namespace quorvel::typeset {

namespace {

// The raster engine works in 26.6 fixed point; coordinates far outside any picture are pulled in so that
// lines toward them still clip correctly instead of wrapping.
constexpr int kMaxCoordinate = 1 << 22;
int clampCoordinate(int v) {
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}
QPoint toQPoint(int x, int y) {
    return {clampCoordinate(x), clampCoordinate(y)};
}

Qt::PenStyle toQtPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

} // namespace

QtCanvas::QtCanvas(std::shared_ptr<QtTextCache> cache)
    : cache_(cache ? std::move(cache) : std::make_shared<QtTextCache>()), palette_(currentPalette()) {
    key_.face = "Times New Roman";
    setFontSize(points_);
}

QtCanvas::QtCanvas(QPaintDevice& device, std::shared_ptr<QtTextCache> cache) : QtCanvas(std::move(cache)) {
    ownedPainter_ = std::make_unique<QPainter>();
    if (ownedPainter_->begin(&device)) {
        painter_ = ownedPainter_.get();
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
}

QtCanvas::QtCanvas(QPainter& painter, std::shared_ptr<QtTextCache> cache) : QtCanvas(std::move(cache)) {
    if (painter.isActive()) painter_ = &painter;
}

QtCanvas::~QtCanvas() {
    finish();
}

void QtCanvas::finish() {
    if (ownedPainter_ && ownedPainter_->isActive()) ownedPainter_->end();
    if (ownedPainter_) painter_ = nullptr;
}

void QtCanvas::setLineQuality(LineQuality quality) {
    quality_ = quality;
    if (painter_) painter_->setRenderHint(QPainter::Antialiasing, quality == LineQuality::Smooth);
}

bool QtCanvas::unscaledBitmap() const {
    return painter_->paintEngine()->type() == QPaintEngine::Raster &&
           painter_->transform().type() == QTransform::TxNone;
}

double QtCanvas::lineOffset() const {
    return quality_ == LineQuality::Smooth && std::max(1, penWidth_) % 2 == 1 ? 0.5 : 0.0;
}

int QtCanvas::pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}
int QtCanvas::pixelsToPoints(int pixels) {
    return (pixels * 72 + 48) / 96;
}

void QtCanvas::setFontName(const std::string& face) {
    key_.face = face;
}

void QtCanvas::setFontSize(int points) {
    points_ = std::clamp(points, kMinPoints, kMaxPoints);
    key_.pixelSize = pointsToPixels(points_);
}

void QtCanvas::setFontPixelHeight(int pixels) {
    key_.pixelSize = std::clamp(pixels, 1, kMaxPixelHeight);
    points_ = std::clamp(pixelsToPoints(key_.pixelSize), kMinPoints, kMaxPoints);
}

void QtCanvas::setFontStyle(bool bold, bool italic, bool underline, bool strikeOut) {
    key_.style = (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0) | (strikeOut ? 8 : 0);
}

// The cache already clamps; the canvas states the contract itself for every other caller.
int QtCanvas::textWidth(std::string_view text) {
    return std::clamp(cache_->metrics(key_, text).width, 0, kMaxTextExtent);
}
int QtCanvas::textHeight(std::string_view text) {
    return std::clamp(cache_->metrics(key_, text).height, 0, kMaxTextExtent);
}

void QtCanvas::drawTextAt(int x, int y, std::string_view text) {
    if (brushStyle_ == BrushStyle::Solid) {
        const QtTextCache::Metrics m = cache_->metrics(key_, text);
        painter_->fillRect(QRect(toQPoint(x, y), QSize(m.width, m.height)), toQColor(brushColor_, palette_));
    }
    painter_->setFont(cache_->font(key_));
    painter_->setPen(toQColor(fontColor_, palette_));
    painter_->drawStaticText(toQPoint(x, y), cache_->staticText(key_, text));
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    if (!painter_ || text.empty()) return;
    drawTextAt(x, y, text);
}

void QtCanvas::textRect(const Rect& clip, int x, int y, std::string_view text) {
    if (!painter_ || text.empty() || clip.right <= clip.left || clip.bottom <= clip.top) return;
    painter_->save();
    painter_->setClipRect(QRect(toQPoint(clip.left, clip.top), toQPoint(clip.right - 1, clip.bottom - 1)),
                          Qt::IntersectClip);
    drawTextAt(x, y, text);
    painter_->restore();
}

void QtCanvas::setPen(Color color, int width, PenStyle style) {
    penColor_ = color;
    penWidth_ = std::clamp(width, 0, 1000);
    penStyle_ = style;
}

void QtCanvas::setPenWidth(int width) {
    penWidth_ = std::clamp(width, 0, 1000);
}

void QtCanvas::setBrush(Color color, BrushStyle style) {
    brushColor_ = color;
    brushStyle_ = style;
}

void QtCanvas::applyPen(bool curve) {
    if (penStyle_ == PenStyle::Clear) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen pen(toQColor(penColor_, palette_));
    pen.setWidth(std::max(1, penWidth_));
    pen.setStyle(toQtPenStyle(penStyle_));
    // A smooth curve turns round: mitred corners would stick out of the steep turns near poles.
    const bool round = curve && quality_ == LineQuality::Smooth;
    pen.setCapStyle(round ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(round ? Qt::RoundJoin : Qt::MiterJoin);
    painter_->setPen(pen);
}

void QtCanvas::applyBrush() {
    if (brushStyle_ == BrushStyle::Solid)
        painter_->setBrush(toQColor(brushColor_, palette_));
    else
        painter_->setBrush(Qt::NoBrush);
}

void QtCanvas::line(int x1, int y1, int x2, int y2) {
    if (!painter_ || penStyle_ == PenStyle::Clear) return;
    const QPoint a = toQPoint(x1, y1);
    const QPoint b = toQPoint(x2, y2);
    // On a bitmap a thin solid line along a pixel row or column covers the pixels from one end to the
    // other, both included. Filling them is many times faster than the raster engine's line stroker, which
    // made the grid of a large sheet the dearest part of every redraw. Smooth drawing would cover the
    // same pixels in full, so it takes the same road. Vector output keeps its lines.
    if (penStyle_ == PenStyle::Solid && penWidth_ <= 1 && a != b && (a.x() == b.x() || a.y() == b.y()) &&
        unscaledBitmap() &&
        (quality_ == LineQuality::Smooth || !painter_->testRenderHint(QPainter::Antialiasing))) {
        painter_->fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                           toQColor(penColor_, palette_));
        return;
    }
    if (quality_ == LineQuality::Smooth && a == b) {
        // A dot (a curve run of one column) is the pen's square, as the plain drawing makes it.
        const double w = std::max(1, penWidth_);
        const double corner = lineOffset() - w / 2;
        painter_->fillRect(QRectF(a.x() + corner, a.y() + corner, w, w), toQColor(penColor_, palette_));
        return;
    }
    applyPen();
    if (quality_ == LineQuality::Smooth) {
        const QPointF centre(lineOffset(), lineOffset());
        painter_->drawLine(QPointF(a) + centre, QPointF(b) + centre);
        return;
    }
    painter_->drawLine(a, b);
}

void QtCanvas::polyline(const std::vector<Point>& points) {
    if (!painter_ || penStyle_ == PenStyle::Clear || points.size() < 2) return;
    if (quality_ == LineQuality::Smooth) {
        const double centre = lineOffset();
        QPolygonF polygon;
        polygon.reserve(qsizetype(points.size()));
        for (const Point& p : points)
            polygon << QPointF(clampCoordinate(p.x) + centre, clampCoordinate(p.y) + centre);
        applyPen(true);
        painter_->drawPolyline(polygon);
        return;
    }
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const Point& p : points)
        polygon << toQPoint(p.x, p.y);
    applyPen();
    painter_->drawPolyline(polygon);
}

void QtCanvas::curve(const std::vector<Point>& points, const std::vector<double>& rows) {
    if (quality_ != LineQuality::Smooth || rows.size() != points.size() || points.size() < 2) {
        polyline(points);
        return;
    }
    if (!painter_ || penStyle_ == PenStyle::Clear) return;
    const double centre = lineOffset();
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon << QPointF(clampCoordinate(points[i].x) + centre,
                           std::clamp(rows[i], double(-kMaxCoordinate), double(kMaxCoordinate)) + centre);
    applyPen(true);
    painter_->drawPolyline(polygon);
}

void QtCanvas::rectangle(const Rect& r) {
    if (!painter_ || r.right <= r.left || r.bottom <= r.top) return;
    const QRect area(toQPoint(r.left, r.top), toQPoint(r.right - 1, r.bottom - 1));
    if (brushStyle_ == BrushStyle::Solid) painter_->fillRect(area, toQColor(brushColor_, palette_));
    if (penStyle_ != PenStyle::Clear) {
        applyPen();
        painter_->setBrush(Qt::NoBrush);
        if (quality_ == LineQuality::Smooth && !unscaledBitmap()) {
            painter_->drawRect(QRectF(area.adjusted(0, 0, -1, -1)).translated(lineOffset(), lineOffset()));
        } else {
            // On a bitmap the outline lies along pixel rows and columns, where smoothing changes
            // nothing but the corners the anti-aliased stroker leaves grey.
            const bool smooth = painter_->testRenderHint(QPainter::Antialiasing);
            painter_->setRenderHint(QPainter::Antialiasing, false);
            painter_->drawRect(area.adjusted(0, 0, -1, -1));
            painter_->setRenderHint(QPainter::Antialiasing, smooth);
        }
    }
}

void QtCanvas::ellipse(const Rect& r) {
    if (!painter_ || r.right <= r.left || r.bottom <= r.top) return;
    const QRect area(toQPoint(r.left, r.top), toQPoint(r.right - 1, r.bottom - 1));
    applyBrush();
    if (penStyle_ == PenStyle::Clear)
        painter_->setPen(Qt::NoPen);
    else
        applyPen();
    if (quality_ == LineQuality::Smooth)
        painter_->drawEllipse(QRectF(area.adjusted(0, 0, -1, -1)).translated(lineOffset(), lineOffset()));
    else
        painter_->drawEllipse(area.adjusted(0, 0, -1, -1));
}

void QtCanvas::fillRect(const Rect& r) {
    if (!painter_ || brushStyle_ != BrushStyle::Solid || r.right <= r.left || r.bottom <= r.top) return;
    painter_->fillRect(QRect(toQPoint(r.left, r.top), toQPoint(r.right - 1, r.bottom - 1)),
                       toQColor(brushColor_, palette_));
}

void QtCanvas::fillPolygon(const std::vector<Point>& points) {
    if (!painter_ || points.size() < 3) return;
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const Point& p : points)
        polygon << toQPoint(p.x, p.y);
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(toQColor(penColor_, palette_));
    painter_->drawPolygon(polygon);
    painter_->restore();
}

void QtCanvas::fillShape(const std::vector<PointF>& points) {
    if (!painter_ || points.size() < 3) return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const PointF& p : points)
        polygon << QPointF(std::clamp(p.x, double(-kMaxCoordinate), double(kMaxCoordinate)),
                           std::clamp(p.y, double(-kMaxCoordinate), double(kMaxCoordinate)));
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(toQColor(penColor_, palette_));
    painter_->drawPolygon(polygon, Qt::WindingFill);
    painter_->restore();
}

namespace {

QPolygonF clampedPolygon(const std::vector<PointF>& points, double offset) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const PointF& p : points)
        polygon << QPointF(std::clamp(p.x + offset, double(-kMaxCoordinate), double(kMaxCoordinate)),
                           std::clamp(p.y + offset, double(-kMaxCoordinate), double(kMaxCoordinate)));
    return polygon;
}

} // namespace

void QtCanvas::path(const std::vector<PointF>& points) {
    if (quality_ != LineQuality::Smooth) {
        Canvas::path(points);
        return;
    }
    if (!painter_ || penStyle_ == PenStyle::Clear || points.size() < 2) return;
    applyPen(true);
    painter_->drawPolyline(clampedPolygon(points, lineOffset()));
}

void QtCanvas::fillArea(const std::vector<std::vector<PointF>>& polygons, Color color, int alpha) {
    if (!painter_ || polygons.empty()) return;
    QPainterPath area;
    area.setFillRule(Qt::WindingFill);
    const double offset = lineOffset();
    for (const std::vector<PointF>& polygon : polygons)
        if (polygon.size() >= 3) area.addPolygon(clampedPolygon(polygon, offset));
    QColor fill = toQColor(color, palette_);
    fill.setAlpha(std::clamp(alpha, 0, 255));
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->fillPath(area, fill);
    painter_->restore();
}

Rect QtCanvas::plusBar() {
    const QRect r = cache_->plusBar(key_);
    if (r.isEmpty()) return Canvas::plusBar();
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

Rect QtCanvas::textInk(std::string_view text) {
    const QRect r = cache_->ink(key_, text);
    if (r.isEmpty()) return {};
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

int QtCanvas::inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) {
    return cache_->inkRow(key_, text, boxWidth, boxHeight, direction);
}

void drawScaled(QPainter& painter, const QRect& target, const QSize& logical,
                const std::shared_ptr<QtTextCache>& cache, LineQuality quality,
                const std::function<void(QtCanvas&)>& draw) {
    if (!painter.isActive() || logical.isEmpty() || target.isEmpty()) return;
    const double scale =
        std::min(double(target.width()) / logical.width(), double(target.height()) / logical.height());
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    {
        QtCanvas canvas(painter, cache);
        canvas.setLineQuality(quality);
        draw(canvas);
    }
    painter.restore();
}

} // namespace quorvel::typeset

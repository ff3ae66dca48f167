#include "app/SheetWidget.h"
#include "i18n/Translation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace quorvel::app {

SheetWidget::SheetWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The sheet takes the keyboard, so the arrow keys nudge the selection instead of walking the buttons.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(i18n::uiText("绘图区"));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(1, 1);
}

bool SheetWidget::fitBitmap() {
    const QSize size(std::max(1, width()), std::max(1, height()));
    const qreal ratio = devicePixelRatioF();
    if (sheetSize_ == size && bitmap_.devicePixelRatio() == ratio) return false;
    const QSize pixels(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio)));
    bitmap_ = QImage(pixels, QImage::Format_RGB32);
    bitmap_.setDevicePixelRatio(ratio);
    bitmap_.fill(Qt::white);
    sheetSize_ = size;
    return true;
}

void SheetWidget::paintEvent(QPaintEvent* event) {
    // Moved to a screen of another pixel ratio: the sheet is drawn again at the new one, once.
    if (bitmap_.devicePixelRatio() != devicePixelRatioF() && !ratioChangePending_) {
        ratioChangePending_ = true;
        QTimer::singleShot(0, this, [this] {
            ratioChangePending_ = false;
            emit resized();
        });
    }
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    const qreal ratio = bitmap_.devicePixelRatio();
    painter.drawImage(
        QRectF(area), bitmap_,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
}

void SheetWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void SheetWidget::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event);
}
void SheetWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}
void SheetWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event);
}
void SheetWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    emit mouseDoubleClicked(event);
}
void SheetWidget::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event);
}

} // namespace quorvel::app

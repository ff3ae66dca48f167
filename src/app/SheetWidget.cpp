#include "app/SheetWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel::app {

SheetWidget::SheetWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The sheet takes the keyboard, so the arrow keys nudge the selection instead of walking the buttons.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("绘图区"));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(1, 1);
}

bool SheetWidget::fitBitmap() {
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (bitmap_.size() == size) return false;
    bitmap_ = QImage(size, QImage::Format_RGB32);
    bitmap_.fill(Qt::white);
    return true;
}

void SheetWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(event->rect().topLeft(), bitmap_, event->rect());
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

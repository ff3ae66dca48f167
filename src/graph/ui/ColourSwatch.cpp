#include "graph/ui/ColourSwatch.h"

#include "typeset/qt/ColorConversion.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel::graph {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(int colour) {
    colour_ = colour;
    update();
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed();
    QFrame::mousePressEvent(event);
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), typeset::toQColor(colour_));
    }
    QFrame::paintEvent(event);
}

} // namespace quorvel::graph

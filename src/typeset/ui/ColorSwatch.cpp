#include "typeset/ui/ColorSwatch.h"

#include "typeset/qt/ColorConversion.h"

#include <QMouseEvent>

namespace quorvel::typeset {

ColorSwatch::ColorSwatch(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setColor(kBlack);
}

void ColorSwatch::setColor(Color color) {
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(color, p));
    setPalette(p);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

} // namespace quorvel::typeset

#pragma once

#include "typeset/qt/QtCanvas.h"

#include <QImage>
#include <QWidget>

namespace quorvel::app {

// The drawing sheet (Image1): owns the sheet bitmap and shows it. Everything on the sheet is drawn
// into the bitmap, so the window and the clipboard show the same picture; printing and vector export
// draw the same sheet through the same code. The bitmap has the screen's device pixel ratio, so it is
// crisp on high-density screens while every sheet coordinate stays in logical pixels.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    explicit SheetWidget(QWidget* parent = nullptr);

    QImage& bitmap() { return bitmap_; }
    const QImage& bitmap() const { return bitmap_; }
    // The sheet in logical pixels: the bitmap's size divided by its device pixel ratio.
    QSize sheetSize() const { return sheetSize_; }

    // Gives the bitmap the widget's size at the screen's pixel ratio (a new, white bitmap when either
    // changed). Returns true when it changed.
    bool fitBitmap();

    // While a drag moves, frames may be drawn plain to keep up with the pointer; at rest they are smooth.
    void setInteractive(bool interactive) { interactive_ = interactive; }
    bool interactive() const { return interactive_; }
    typeset::LineQuality lineQuality() const {
        return interactive_ ? typeset::LineQuality::Plain : typeset::LineQuality::Smooth;
    }

signals:
    // Also sent when the widget moved to a screen of another pixel ratio: the sheet is drawn again.
    void resized();
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void mouseDoubleClicked(QMouseEvent* event);
    void wheelTurned(QWheelEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage bitmap_;
    QSize sheetSize_;
    bool interactive_ = false;
    bool ratioChangePending_ = false;
};

} // namespace quorvel::app

#pragma once

#include <QImage>
#include <QWidget>

namespace quorvel::app {

// The drawing sheet (Image1): owns the sheet bitmap and shows it. Everything on the sheet is drawn
// into the bitmap, so the window, the printout and the export show the same picture.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    explicit SheetWidget(QWidget* parent = nullptr);

    QImage& bitmap() { return bitmap_; }
    const QImage& bitmap() const { return bitmap_; }

    // Gives the bitmap the widget's size (a new, white bitmap when the size changed). Returns true when
    // it changed.
    bool fitBitmap();

signals:
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
};

} // namespace quorvel::app

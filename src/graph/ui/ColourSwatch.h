#pragma once

#include <QFrame>

namespace quorvel::graph {

// A rectangle filled with one colour that reports presses: the curve-colour swatch of the function
// editing dialog.
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    // A stored colour value (red in the lowest byte).
    void setColour(int colour);
    int colour() const { return colour_; }

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int colour_ = 0;
};

} // namespace quorvel::graph

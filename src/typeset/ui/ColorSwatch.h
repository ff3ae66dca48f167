#pragma once

#include "typeset/Canvas.h"

#include <QLabel>

namespace quorvel::typeset {

// A label whose background shows a colour and that reports a click: the colour rows of the output
// settings. The colour is kept as stored (a system colour stays one) and shown through the palette.
class ColorSwatch : public QLabel {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    Color color() const { return color_; }
    void setColor(Color color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    Color color_ = kBlack;
};

} // namespace quorvel::typeset

#pragma once

#include "typeset/Canvas.h"

namespace quorvel::typeset {

// A canvas that draws nothing: it takes fonts, metrics and ink rows from another canvas and records the
// smallest rectangle that holds everything drawn on it (text cells and their glyphs' ink, clipped text,
// lines with their pen's width, filled shapes to the pixel their corners reach). Used to
// find how far a formula really reaches before a bitmap is sized for it.
class BoundsCanvas : public Canvas {
public:
    explicit BoundsCanvas(Canvas& metrics) : metrics_(metrics) {}

    bool empty() const { return empty_; }
    // Valid when not empty; right and bottom are exclusive.
    const Rect& bounds() const { return bounds_; }

    void setFontName(const std::string& face) override { metrics_.setFontName(face); }
    std::string fontName() const override { return metrics_.fontName(); }
    void setFontSize(int points) override { metrics_.setFontSize(points); }
    int fontSize() const override { return metrics_.fontSize(); }
    void setFontPixelHeight(int pixels) override { metrics_.setFontPixelHeight(pixels); }
    int fontPixelHeight() const override { return metrics_.fontPixelHeight(); }
    void setFontStyle(bool bold, bool italic, bool underline, bool strikeOut) override {
        metrics_.setFontStyle(bold, italic, underline, strikeOut);
    }
    void setFontColor(Color) override {}
    int textWidth(std::string_view text) override { return metrics_.textWidth(text); }
    int textHeight(std::string_view text) override { return metrics_.textHeight(text); }
    void textOut(int x, int y, std::string_view text) override;
    void textRect(const Rect& clip, int x, int y, std::string_view text) override;
    void setPen(Color color, int width, PenStyle) override {
        penColor_ = color;
        penWidth_ = width;
    }
    void setPenWidth(int width) override { penWidth_ = width; }
    int penWidth() const override { return penWidth_; }
    void setPenColor(Color color) override { penColor_ = color; }
    Color penColor() const override { return penColor_; }
    void setBrush(Color, BrushStyle) override {}
    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const std::vector<Point>& points) override;
    void rectangle(const Rect& r) override { add(r); }
    void ellipse(const Rect& r) override { add(r); }
    void fillRect(const Rect& r) override { add(r); }
    void fillPolygon(const std::vector<Point>& points) override;
    void fillShape(const std::vector<PointF>& points) override;
    Rect textInk(std::string_view text) override { return metrics_.textInk(text); }
    Rect plusBar() override { return metrics_.plusBar(); }
    int inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) override {
        return metrics_.inkRow(text, boxWidth, boxHeight, direction);
    }

private:
    void add(const Rect& r);

    Canvas& metrics_;
    Color penColor_ = kBlack;
    int penWidth_ = 1;
    bool empty_ = true;
    Rect bounds_;
};

} // namespace quorvel::typeset

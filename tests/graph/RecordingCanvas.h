#pragma once

#include "typeset/Canvas.h"

#include <string>
#include <vector>

namespace quorvel::fakes {

// A canvas with fixed metrics (6 pixels per byte, text height = pixel height) that records every
// drawing call together with the pen, brush and font in force at the time.
class RecordingCanvas : public typeset::Canvas {
public:
    struct Pen {
        typeset::Color color = typeset::kBlack;
        int width = 1;
        typeset::PenStyle style = typeset::PenStyle::Solid;
    };
    struct Brush {
        typeset::Color color = typeset::kWhite;
        typeset::BrushStyle style = typeset::BrushStyle::Solid;
    };
    enum class Op { Line, Polyline, Rectangle, Ellipse, FillRect, Text };
    struct Call {
        Op op;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // line ends, rectangle corners or text position (x1, y1)
        std::string text;
        Pen pen;
        Brush brush;
        int fontSize = 0;
        int fontPixelHeight = 0;
        std::string fontName;
        typeset::Color fontColor = typeset::kBlack;
    };

    void setFontName(const std::string& face) override { fontName_ = face; }
    std::string fontName() const override { return fontName_; }
    void setFontSize(int points) override {
        size_ = points;
        pixelHeight_ = (points * 96 + 36) / 72;
    }
    int fontSize() const override { return size_; }
    void setFontPixelHeight(int pixels) override {
        pixelHeight_ = pixels;
        size_ = (pixels * 72 + 48) / 96;
    }
    int fontPixelHeight() const override { return pixelHeight_; }
    void setFontStyle(bool, bool, bool, bool) override {}
    void setFontColor(typeset::Color color) override { fontColor_ = color; }
    int textWidth(std::string_view text) override { return 6 * static_cast<int>(text.size()); }
    int textHeight(std::string_view) override { return pixelHeight_; }
    void textOut(int x, int y, std::string_view text) override {
        record(Op::Text, x, y, 0, 0, std::string(text));
    }
    void textRect(const typeset::Rect&, int x, int y, std::string_view text) override { textOut(x, y, text); }
    void setPen(typeset::Color color, int width, typeset::PenStyle style) override {
        pen = {color, width, style};
    }
    void setPenColor(typeset::Color color) override { pen.color = color; }
    typeset::Color penColor() const override { return pen.color; }
    void setBrush(typeset::Color color, typeset::BrushStyle style) override { brush = {color, style}; }
    void line(int x1, int y1, int x2, int y2) override { record(Op::Line, x1, y1, x2, y2); }
    void polyline(const std::vector<typeset::Point>& points) override {
        for (size_t i = 1; i < points.size(); ++i)
            record(Op::Polyline, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    void rectangle(const typeset::Rect& r) override {
        record(Op::Rectangle, r.left, r.top, r.right, r.bottom);
    }
    void ellipse(const typeset::Rect& r) override { record(Op::Ellipse, r.left, r.top, r.right, r.bottom); }
    void fillRect(const typeset::Rect& r) override { record(Op::FillRect, r.left, r.top, r.right, r.bottom); }
    int inkRow(std::string_view, int, int, int) override { return 0; }

    std::vector<Call> of(Op op) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    const Call* textAt(const std::string& text) const {
        for (const Call& c : calls)
            if (c.op == Op::Text && c.text == text) return &c;
        return nullptr;
    }

    std::vector<Call> calls;
    Pen pen;
    Brush brush;

private:
    void record(Op op, int x1, int y1, int x2, int y2, std::string text = {}) {
        calls.push_back(
            {op, x1, y1, x2, y2, std::move(text), pen, brush, size_, pixelHeight_, fontName_, fontColor_});
    }

    std::string fontName_ = "Times New Roman";
    int size_ = 16;
    int pixelHeight_ = 21;
    typeset::Color fontColor_ = typeset::kBlack;
};

} // namespace quorvel::fakes

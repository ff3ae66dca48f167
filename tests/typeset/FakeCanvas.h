#pragma once

// A canvas with fixed, easily computed metrics that records everything drawn on it.
//  - a character is fontSize / 2 pixels wide (16 pt: 8, script 9 pt: 4); code points, not bytes, count;
//  - every text is fontSize + 4 pixels high (16 pt: 20, 9 pt: 13), the empty text too;
//  - the pixel height equals the size;
//  - ink starts `inkTop` rows below the top of a box and ends `inkBottomGap` rows above its bottom.
// Single texts can be given other sizes with widthOf / heightOf.

#include "base/Utf8Text.h"
#include "typeset/Canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace quorvel::typeset::testing {

struct DrawOp {
    enum Kind { Text, ClippedText, Line, Polyline, Rectangle, Ellipse, Fill, Shape };
    Kind kind = Text;
    std::string text;
    int x = 0;
    int y = 0;
    Color color = 0; // font colour for text, pen colour for lines
    int size = 0;
    int pixelHeight = 0;
    std::string face;
    Rect clip;
    std::vector<Point> points;
    std::vector<PointF> shape; // a filled shape's corners (points holds them rounded)
    bool italic = false;
};

class FakeCanvas : public Canvas {
public:
    std::map<std::string, int> widthOf;  // text -> width at any size
    std::map<std::string, int> heightOf; // text -> height at any size
    int inkTop = 3;
    int inkBottomGap = 4;
    std::vector<DrawOp> ops;
    int textMeasurements = 0;
    int italicExtraWidth = 0; // added to every text measured in italic

    void setFontName(const std::string& face) override { face_ = face; }
    std::string fontName() const override { return face_; }
    void setFontSize(int points) override { size_ = std::max(1, points); }
    int fontSize() const override { return size_; }
    void setFontPixelHeight(int pixels) override { size_ = std::max(1, pixels); }
    int fontPixelHeight() const override { return size_; }
    void setFontStyle(bool, bool italic, bool, bool) override { italic_ = italic; }
    void setFontColor(Color color) override { fontColor_ = color; }

    int textWidth(std::string_view text) override {
        ++textMeasurements;
        const int extra = italic_ ? italicExtraWidth : 0;
        if (auto it = widthOf.find(std::string(text)); it != widthOf.end()) return it->second + extra;
        return static_cast<int>(toCodePoints(text).size()) * (size_ / 2) + extra;
    }
    int textHeight(std::string_view text) override {
        ++textMeasurements;
        if (auto it = heightOf.find(std::string(text)); it != heightOf.end()) return it->second;
        return size_ + 4;
    }

    void textOut(int x, int y, std::string_view text) override {
        record(DrawOp::Text, text, x, y, fontColor_);
    }
    void textRect(const Rect& clip, int x, int y, std::string_view text) override {
        record(DrawOp::ClippedText, text, x, y, fontColor_).clip = clip;
    }
    void setPen(Color color, int, PenStyle) override { penColor_ = color; }
    void setPenColor(Color color) override { penColor_ = color; }
    Color penColor() const override { return penColor_; }
    void setBrush(Color, BrushStyle) override {}
    void line(int x1, int y1, int x2, int y2) override {
        record(DrawOp::Line, "", x1, y1, penColor_).points = {{x1, y1}, {x2, y2}};
    }
    void polyline(const std::vector<Point>& points) override {
        record(DrawOp::Polyline, "", 0, 0, penColor_).points = points;
    }
    void rectangle(const Rect& r) override {
        record(DrawOp::Rectangle, "", r.left, r.top, penColor_).clip = r;
    }
    void ellipse(const Rect& r) override { record(DrawOp::Ellipse, "", r.left, r.top, penColor_).clip = r; }
    void fillRect(const Rect& r) override { record(DrawOp::Fill, "", r.left, r.top, penColor_).clip = r; }
    void fillShape(const std::vector<PointF>& shape) override {
        DrawOp& op = record(DrawOp::Shape, "", 0, 0, penColor_);
        op.shape = shape;
        for (const PointF& p : shape)
            op.points.push_back({static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))});
    }
    int inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) override {
        if (text.empty() || boxWidth <= 0 || boxHeight <= 0) return 0;
        return direction > 0 ? std::min(inkTop, boxHeight - 1) : std::max(0, boxHeight - 1 - inkBottomGap);
    }

    // The text operations with this text, in drawing order.
    std::vector<DrawOp> texts(std::string_view text) const {
        std::vector<DrawOp> found;
        for (const DrawOp& op : ops)
            if ((op.kind == DrawOp::Text || op.kind == DrawOp::ClippedText) && op.text == text)
                found.push_back(op);
        return found;
    }
    std::vector<DrawOp> lines() const {
        std::vector<DrawOp> found;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Line || op.kind == DrawOp::Polyline) found.push_back(op);
        return found;
    }
    // The filled shapes (brackets, radicals, arrows, bars, rules), in drawing order.
    std::vector<DrawOp> shapes() const {
        std::vector<DrawOp> found;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Shape) found.push_back(op);
        return found;
    }

private:
    DrawOp& record(DrawOp::Kind kind, std::string_view text, int x, int y, Color color) {
        DrawOp op;
        op.kind = kind;
        op.text = std::string(text);
        op.x = x;
        op.y = y;
        op.color = color;
        op.size = size_;
        op.pixelHeight = size_;
        op.face = face_;
        op.italic = italic_;
        ops.push_back(std::move(op));
        return ops.back();
    }

    std::string face_ = "Times New Roman";
    bool italic_ = false;
    int size_ = 16;
    Color fontColor_ = kBlack;
    Color penColor_ = kBlack;
};

} // namespace quorvel::typeset::testing

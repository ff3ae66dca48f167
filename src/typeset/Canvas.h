#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::typeset {

// Colours as documents store them: red in the lowest byte, then green, then blue. Negative values
// name system colours and are resolved by the canvas backend when drawing.
using Color = std::int32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>(r | (g << 8) | (b << 16));
}
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class BrushStyle { Solid, Clear };

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A point between pixels: (0, 0) is the top-left corner of pixel (0, 0), (1, 1) its bottom-right corner.
struct PointF {
    double x = 0;
    double y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0; // exclusive
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The drawing surface that typesetting and the sheet draw on. Backends: QtCanvas (bitmap, SVG, PDF,
// printer) and, in tests, canvases with fixed metrics that record what is drawn.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Font. Size is in points (at 96 pixels per inch); pixel height is the character (em) height in
    // pixels. Setting one replaces the other, as with the platform font that the design assumes.
    // Backends keep sizes within a range they can render; the getters return what is in effect.
    virtual void setFontName(const std::string& face) = 0;
    virtual std::string fontName() const = 0;
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    virtual void setFontPixelHeight(int pixels) = 0;
    virtual int fontPixelHeight() const = 0;
    virtual void setFontStyle(bool bold, bool italic, bool underline, bool strikeOut) = 0;
    virtual void setFontColor(Color color) = 0;

    // Text metrics in the current font (TW and TH of the layout rules).
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;

    // Text with its top-left corner at (x, y), in the font colour, background per the brush.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // The same, clipped to clip.
    virtual void textRect(const Rect& clip, int x, int y, std::string_view text) = 0;

    virtual void setPen(Color color, int width, PenStyle style) = 0;
    virtual void setPenColor(Color color) = 0;
    virtual Color penColor() const = 0;
    virtual void setBrush(Color color, BrushStyle style) = 0;
    // The pen's width alone, colour and style kept; formula strokes widen with the font size and give
    // the width back afterwards. Backends that draw no widths may keep the defaults.
    virtual void setPenWidth(int width) { (void)width; }
    virtual int penWidth() const { return 1; }

    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void polyline(const std::vector<Point>& points) = 0;
    virtual void rectangle(const Rect& r) = 0; // outline with the pen, filled with the brush
    virtual void ellipse(const Rect& r) = 0;   // outline with the pen, filled with the brush
    virtual void fillRect(const Rect& r) = 0;  // brush only
    // A closed shape filled with the pen colour, without outline, edges smoothed where the backend can:
    // strokes of varying thickness such as stretched brackets.
    virtual void fillPolygon(const std::vector<Point>& points) { polyline(points); }
    // The same with corners between pixels, for the drawn signs (radicals, arrows, the integral, rules):
    // the ink covers exactly the shape, so a corner at y = 10 inks no pixel below row 9. Backends that
    // cannot draw between pixels fill the shape with its corners rounded to the nearest pixel corner.
    virtual void fillShape(const std::vector<PointF>& points);
    // A sampled curve through pixel points, with each point's exact row beside it (rows[i] lies within
    // half a pixel of points[i].y). A backend that draws between pixels follows the exact rows, so a
    // shallow curve does not come out as a staircase; the others draw the pixel polyline.
    virtual void curve(const std::vector<Point>& points, const std::vector<double>& rows) {
        (void)rows;
        polyline(points);
    }

    // A line through exact points in the units of curve() (point (j, r) lies on the centre of pixel
    // (j, r)), drawn as one stroke with the pen so a dash pattern runs on along it. Backends that cannot
    // draw between pixels draw the rounded polyline.
    virtual void path(const std::vector<PointF>& points);
    // The union of closed polygons in the units of path(), filled with color at opacity alpha (0 … 255),
    // without outline: overlapping polygons are filled once, with no seam between neighbours. Backends that
    // cannot blend draw nothing.
    virtual void fillArea(const std::vector<std::vector<PointF>>& polygons, Color color, int alpha) {
        (void)polygons;
        (void)color;
        (void)alpha;
    }

    // Where text's glyphs really put ink in the current font, relative to the top-left corner of its
    // cell (0, 0, textWidth, textHeight); glyphs such as a large integral sign reach outside the cell.
    // Backends that cannot tell answer the cell.
    virtual Rect textInk(std::string_view text) { return {0, 0, textWidth(text), textHeight(text)}; }

    // The rule that the bar of "+" inks in the current font, relative to the top-left corner of a text
    // cell: the rows and thickness a minus sign is drawn with. Backends that cannot tell answer a thin
    // rule through the middle of the cell, as wide as the advance of "+".
    virtual Rect plusBar();

    // Index, counted from the top of the box, of the first row that holds ink when text is written in
    // the current font at (0, 0) of a white box of boxWidth x boxHeight: scanning downward from row 0
    // (direction +1) or upward from the last row (direction -1). 0 when nothing is inked or the box is
    // empty. Backends cache the answer per text, face, size and box.
    virtual int inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) = 0;
};

} // namespace quorvel::typeset

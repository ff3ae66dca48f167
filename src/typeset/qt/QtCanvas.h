#pragma once

#include "typeset/Canvas.h"
#include "typeset/qt/QtTextCache.h"

#include <QPalette>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPaintDevice;
class QRect;
class QSize;

namespace quorvel::typeset {

// How lines, outlines and curves are drawn. Plain: aliased, as formula pictures have always been drawn.
// Smooth: anti-aliased, each line centred on the pixels the plain line covers, so both put lines and
// markers in the same place; lines along a pixel row or column look the same in both.
enum class LineQuality { Plain, Smooth };

// The canvas over QPainter: a QImage (screen, files, clipboard), a QSvgGenerator, a QPdfWriter or a
// printer. Sizes in points convert to pixels at 96 pixels per inch and fonts are set by pixel size, so
// a formula measures the same on every device. System colours resolve through the palette.
// Coordinates are device pixels: on a device of another resolution (a printer) scale the painter by its
// resolution / 96 first and hand the painter in.
class QtCanvas : public Canvas {
public:
    // Font sizes are kept within these bounds: 0 or negative sizes would draw nothing, and huge ones
    // would make every picture a bitmap of gigabytes.
    static constexpr int kMinPoints = 1;
    static constexpr int kMaxPoints = 1000;
    static constexpr int kMaxPixelHeight = 10000;

    // Measures only; drawing calls do nothing.
    explicit QtCanvas(std::shared_ptr<QtTextCache> cache = nullptr);
    // Paints on device from now until the canvas is destroyed.
    explicit QtCanvas(QPaintDevice& device, std::shared_ptr<QtTextCache> cache = nullptr);
    // Paints through a painter that the caller keeps active for the canvas's lifetime.
    explicit QtCanvas(QPainter& painter, std::shared_ptr<QtTextCache> cache = nullptr);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Null when measuring only or when the device could not be painted on.
    QPainter* painter() { return painter_; }
    const std::shared_ptr<QtTextCache>& cache() const { return cache_; }
    void setPalette(const QPalette& palette) { palette_ = palette; }
    const QPalette& palette() const { return palette_; }
    // Ends painting on an owned device early (for example before a file is closed).
    void finish();
    void setLineQuality(LineQuality quality);
    LineQuality lineQuality() const { return quality_; }

    static int pointsToPixels(int points);
    static int pixelsToPoints(int pixels);

    void setFontName(const std::string& face) override;
    std::string fontName() const override { return key_.face; }
    void setFontSize(int points) override;
    int fontSize() const override { return points_; }
    void setFontPixelHeight(int pixels) override;
    int fontPixelHeight() const override { return key_.pixelSize; }
    void setFontStyle(bool bold, bool italic, bool underline, bool strikeOut) override;
    void setFontColor(Color color) override { fontColor_ = color; }

    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void textOut(int x, int y, std::string_view text) override;
    void textRect(const Rect& clip, int x, int y, std::string_view text) override;

    void setPen(Color color, int width, PenStyle style) override;
    void setPenColor(Color color) override { penColor_ = color; }
    Color penColor() const override { return penColor_; }
    void setBrush(Color color, BrushStyle style) override;
    void setPenWidth(int width) override;
    int penWidth() const override { return penWidth_; }

    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const std::vector<Point>& points) override;
    void curve(const std::vector<Point>& points, const std::vector<double>& rows) override;
    void rectangle(const Rect& r) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r) override;
    void fillPolygon(const std::vector<Point>& points) override;
    void fillShape(const std::vector<PointF>& points) override;
    void path(const std::vector<PointF>& points) override;
    void fillArea(const std::vector<std::vector<PointF>>& polygons, Color color, int alpha) override;
    Rect textInk(std::string_view text) override;
    Rect plusBar() override;

    int inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) override;

private:
    void applyPen(bool curve = false);
    // Half a pixel for lines of odd width in smooth drawing: their middle runs through pixel centres.
    double lineOffset() const;
    // Painting on a bitmap without a scale of our own, where pixel rows and columns are known.
    bool unscaledBitmap() const;
    void applyBrush();
    void drawTextAt(int x, int y, std::string_view text);

    std::shared_ptr<QtTextCache> cache_;
    std::unique_ptr<QPainter> ownedPainter_;
    QPainter* painter_ = nullptr;
    QPalette palette_;

    QtFontKey key_;
    int points_ = 12;
    Color fontColor_ = kBlack;
    Color penColor_ = kBlack;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    Color brushColor_ = kWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    LineQuality quality_ = LineQuality::Plain;
};

// Draws a picture laid out in `logical` pixels into `target` (the device pixels of the painter's device)
// through a canvas: scaled alike in both directions so that it fills the target's width (or its height,
// when that binds first) and clipped to the target. Lines stay lines and text stays text on vector
// devices. The painter's state is restored afterwards. Nothing is drawn for an empty size.
void drawScaled(QPainter& painter, const QRect& target, const QSize& logical,
                const std::shared_ptr<QtTextCache>& cache, LineQuality quality,
                const std::function<void(QtCanvas&)>& draw);

} // namespace quorvel::typeset

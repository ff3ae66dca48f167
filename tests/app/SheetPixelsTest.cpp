// Pixels of the coordinate system drawn by the real canvas on an 800 x 600 sheet.
#include "graph/SheetPainter.h"
#include "typeset/qt/QtCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel;
using document::ViewSettings;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(100, 100, 100);
const QRgb kLight = qRgb(225, 225, 225);
const QRgb kAxis = qRgb(20, 20, 20);
const QRgb kBlack = qRgb(0, 0, 0);

QImage render(const ViewSettings& view) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::red); // anything not drawn would show
    typeset::QtCanvas canvas(image);
    graph::Draw_zuobiao(canvas, view, graph::SheetGeometry::plain(800, 600));
    canvas.finish();
    return image;
}

ViewSettings centred() {
    return ViewSettings::forSheet(800, 600);
}

QRgb at(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFFu) | 0xFF000000u;
}

} // namespace

TEST(SheetPixels, BackgroundAxesAndArrows) {
    const QImage image = render(centred());
    EXPECT_EQ(at(image, 50, 50), kWhite);
    EXPECT_EQ(at(image, 799, 599), kWhite);
    // The axes are two pixels wide in near-black.
    for (int x : {5, 150, 333, 650, 790})
        EXPECT_EQ(at(image, x, 300), kAxis) << x;
    for (int y : {20, 150, 450, 590})
        EXPECT_EQ(at(image, 400, y), kAxis) << y;
    // Arrow heads: 12 pixels back from the right edge and down from the top, 4 to either side.
    EXPECT_EQ(at(image, 793, 297), kAxis);
    EXPECT_EQ(at(image, 793, 302), kAxis);
    EXPECT_EQ(at(image, 397, 8), kAxis);
    EXPECT_EQ(at(image, 402, 8), kAxis);
    EXPECT_EQ(at(image, 780, 290), kWhite);
}

TEST(SheetPixels, MinorAndMajorTicksWithoutGrid) {
    const QImage image = render(centred());
    // Minor ticks every 10 pixels reach 3 pixels from the axis, major ticks every 100 reach 10.
    for (int x : {310, 420, 590, 730}) {
        EXPECT_EQ(at(image, x, 297), kGrey) << x;
        EXPECT_EQ(at(image, x, 303), kGrey) << x;
        EXPECT_EQ(at(image, x, 295), kWhite) << x;
        EXPECT_EQ(at(image, x, 306), kWhite) << x;
    }
    for (int x : {100, 200, 500, 700}) {
        EXPECT_EQ(at(image, x, 291), kGrey) << x;
        EXPECT_EQ(at(image, x, 288), kWhite) << x;
    }
    for (int y : {210, 380, 520}) {
        EXPECT_EQ(at(image, 403, y), kGrey) << y;
        EXPECT_EQ(at(image, 405, y), kWhite) << y;
    }
    EXPECT_EQ(at(image, 409, 200), kGrey); // major y tick
    EXPECT_EQ(at(image, 415, 250), kWhite);
}

TEST(SheetPixels, GridLinesAcrossTheSheet) {
    ViewSettings view = centred();
    view.gridShown = 1;
    const QImage image = render(view);
    EXPECT_EQ(at(image, 410, 155), kLight);
    EXPECT_EQ(at(image, 500, 105), kGrey);
    EXPECT_EQ(at(image, 105, 510), kLight);
    EXPECT_EQ(at(image, 105, 500), kGrey);
    EXPECT_EQ(at(image, 410, 100), kGrey);  // major lines cross the minor ones
    EXPECT_EQ(at(image, 0, 105), kGrey);    // x = 0 is a major position (origin - 4 * 100)
    EXPECT_EQ(at(image, 455, 155), kWhite); // between the lines
    EXPECT_EQ(at(image, 410, 300), kAxis);  // the axis is drawn over the grid
}

TEST(SheetPixels, UnitMarkersAreBlackSquares) {
    ViewSettings view = centred();
    view.gridKind = document::GridRectangular;
    view.unitY = 60;
    const QImage image = render(view);
    // (1, 0) marker: outline from (497, 297) to (502, 302); its inside stays as drawn before.
    EXPECT_EQ(at(image, 497, 297), kBlack);
    EXPECT_EQ(at(image, 502, 302), kBlack);
    EXPECT_EQ(at(image, 499, 297), kBlack);
    // (0, 1) marker of the rectangular grid, 60 pixels above the origin.
    EXPECT_EQ(at(image, 397, 237), kBlack);
    EXPECT_EQ(at(image, 402, 242), kBlack);

    view.gridKind = document::GridSquare;
    view.unitY = 100;
    const QImage square = render(view);
    EXPECT_NE(at(square, 397, 197), kBlack);
}

TEST(SheetPixels, LabelsAreInkedNearTheirPlaces) {
    const QImage image = render(centred());
    const auto inked = [&](int x0, int y0, int w, int h) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (qGray(image.pixel(x, y)) < 160) return true;
        return false;
    };
    EXPECT_TRUE(inked(502, 308, 10, 14));  // "1"
    EXPECT_TRUE(inked(302, 308, 16, 14));  // "-1"
    EXPECT_TRUE(inked(410, 200, 10, 14));  // "1" on the y axis
    EXPECT_TRUE(inked(782, 277, 14, 20));  // "X"
    EXPECT_FALSE(inked(540, 320, 40, 40)); // empty sheet between labels
}

TEST(SheetPixels, PolarGridHasTwentyThreeRays) {
    ViewSettings view = centred();
    view.gridKind = document::GridPolar;
    view.gridShown = 1;
    const QImage image = render(view);
    // Walk a circle of radius 225 (between the grid circles at 200 and 250) and count the grey runs.
    int runs = 0;
    bool inRun = false;
    bool axisSeen = false;
    const int steps = 7200;
    for (int k = 0; k < steps; ++k) {
        const double a = 2 * M_PI * k / steps + 0.001;
        const int x = static_cast<int>(std::lround(400 + 225 * std::cos(a)));
        const int y = static_cast<int>(std::lround(300 - 225 * std::sin(a)));
        // A thin diagonal line can slip between two steps of the walk: look at the 3 x 3 neighbourhood.
        bool grey = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb c = at(image, x + dx, y + dy);
                grey = grey || c == kGrey;
                axisSeen = axisSeen || c == kAxis;
            }
        if (grey && !inRun) ++runs;
        inRun = grey;
    }
    EXPECT_EQ(runs, 23);
    EXPECT_TRUE(axisSeen); // the polar axis at 0 degrees

    view.gridShown = 0;
    const QImage circlesOnly = render(view);
    EXPECT_EQ(at(circlesOnly, 400, 300 - 225), kWhite); // no ray at 90 degrees
    EXPECT_EQ(at(circlesOnly, 400, 300 - 200), kGrey);  // the circle of radius 200
    EXPECT_EQ(at(circlesOnly, 400, 300 - 250), kGrey);
    EXPECT_EQ(at(circlesOnly, 400, 125), kWhite); // no vertical axis
}

TEST(SheetPixels, HiddenAxesLeaveAWhiteSheet) {
    ViewSettings view = centred();
    view.axesShown = 0;
    view.gridShown = 1;
    const QImage image = render(view);
    for (int y = 0; y < 600; y += 3)
        for (int x = 0; x < 800; x += 3)
            ASSERT_EQ(at(image, x, y), kWhite) << x << "," << y;
}

namespace {

QImage renderWith(const ViewSettings& view, typeset::LineQuality quality) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::red);
    typeset::QtCanvas canvas(image);
    canvas.setLineQuality(quality);
    graph::Draw_zuobiao(canvas, view, graph::SheetGeometry::plain(800, 600));
    canvas.finish();
    return image;
}

// Pixels that are neither white nor the pen's colour: the soft edge of an anti-aliased line.
int blended(const QImage& image, QRgb pen) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = at(image, x, y);
            count += c != kWhite && c != pen;
        }
    return count;
}

} // namespace

// Smooth drawing softens slanted lines only: grid lines, axes, ticks, markers and labels stay on the
// pixels the plain drawing gives them, so both drawings agree everywhere but at the arrow heads.
TEST(SheetPixels, SmoothDrawingKeepsEveryLineInItsPlace) {
    const struct {
        int gridKind;
        int gridShown;
        double unitY;
    } views[] = {
        {document::GridSquare, 0, 100}, {document::GridSquare, 1, 100}, {document::GridRectangular, 1, 60}};
    for (const auto& row : views) {
        ViewSettings view = centred();
        view.gridKind = row.gridKind;
        view.gridShown = row.gridShown;
        view.unitY = row.unitY;
        const QImage plain = renderWith(view, typeset::LineQuality::Plain);
        const QImage smooth = renderWith(view, typeset::LineQuality::Smooth);
        int differing = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const bool arrowX = x >= 786 && std::abs(y - 300) <= 6;
                const bool arrowY = y <= 14 && std::abs(x - 400) <= 6;
                if (!arrowX && !arrowY && plain.pixel(x, y) != smooth.pixel(x, y)) ++differing;
            }
        EXPECT_EQ(differing, 0) << "grid kind " << row.gridKind << ", shown " << row.gridShown;
    }
}

TEST(SheetPixels, SmoothCurvesAndCirclesAreAntiAliasedPlainOnesAreNot) {
    using typeset::Point;
    const QRgb blue = qRgb(0, 0, 255);
    const std::vector<Point> curve = {{10, 150}, {60, 120}, {110, 60}, {160, 55}, {190, 10}};
    const struct {
        const char* what;
        int width;
        bool circle;
    } rows[] = {{"thin curve", 1, false}, {"thick curve", 2, false}, {"circle", 1, true}};
    for (const auto& row : rows) {
        const auto draw = [&](typeset::LineQuality quality) {
            QImage image(200, 200, QImage::Format_RGB32);
            image.fill(Qt::white);
            typeset::QtCanvas canvas(image);
            canvas.setLineQuality(quality);
            canvas.setPen(typeset::rgb(0, 0, 255), row.width, typeset::PenStyle::Solid);
            canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Clear);
            if (row.circle)
                canvas.ellipse({20, 20, 180, 180});
            else
                canvas.polyline(curve);
            canvas.finish();
            return image;
        };
        EXPECT_EQ(blended(draw(typeset::LineQuality::Plain), blue), 0) << row.what;
        const QImage smooth = draw(typeset::LineQuality::Smooth);
        EXPECT_GT(blended(smooth, blue), 50) << row.what;
        // The line still runs through its points: the vertex pixel is inked.
        if (!row.circle) {
            EXPECT_LT(qRed(at(smooth, 110, 60)), 128) << row.what;
        }
    }
}

// A curve run of one column is drawn as a dot: a pixel in both drawings.
TEST(SheetPixels, ADotIsOnePixelInBothDrawings) {
    for (const auto quality : {typeset::LineQuality::Plain, typeset::LineQuality::Smooth}) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            typeset::QtCanvas canvas(image);
            canvas.setLineQuality(quality);
            canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
            canvas.line(7, 9, 7, 9);
        }
        EXPECT_EQ(at(image, 7, 9), kBlack);
        EXPECT_EQ(at(image, 8, 9), kWhite);
        EXPECT_EQ(at(image, 7, 10), kWhite);
    }
}

// A shallow curve follows its exact rows when smooth, so it rises gradually instead of in steps of a
// whole pixel; plain drawing keeps the pixel rows.
TEST(SheetPixels, ASmoothCurveFollowsItsExactRowsBetweenPixels) {
    std::vector<typeset::Point> points;
    std::vector<double> rows;
    for (int x = 0; x < 100; ++x) {
        const double exact = 50.4 - 0.8 * x / 99; // a rise of 0.8 px: every pixel row is 50
        points.push_back({x, 50});
        rows.push_back(exact);
    }
    for (const auto quality : {typeset::LineQuality::Plain, typeset::LineQuality::Smooth}) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            typeset::QtCanvas canvas(image);
            canvas.setLineQuality(quality);
            canvas.setPen(typeset::kBlack, 1, typeset::PenStyle::Solid);
            canvas.curve(points, rows);
        }
        // The ink's centre in each column, in pixel-centre coordinates.
        for (int x = 5; x < 95; x += 10) {
            double ink = 0, moment = 0;
            for (int y = 45; y < 56; ++y) {
                const double dark = 255 - qRed(at(image, x, y));
                ink += dark;
                moment += dark * y;
            }
            ASSERT_GT(ink, 0) << x;
            const double want = quality == typeset::LineQuality::Smooth ? rows[std::size_t(x)] : 50.0;
            EXPECT_NEAR(moment / ink, want, 0.2) << x;
        }
    }
}

// Square roots and n-th roots under a radical sign, and vectors under an arrow.
#include "Box.h"

#include <cmath>

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;

// The radical sign of a root's head, drawn as one filled outline: a thin tick rising to a heavy stroke
// down to the lowest corner, a thin diagonal up to the overbar, the overbar over the radicand. All of it
// lies inside the head: the lowest corner one stroke above the bottom, the overbar drawn downward from
// overbarTop, the tick starting at the node's left.
struct RadicalShape {
    double left = 0, top = 0, bottom = 0, height = 0;
    double stroke = 1;
    double stem = 0;    // where the radicand starts: the diagonal meets the overbar's top there
    double barTop = 0;  // the overbar's top edge
    double end = 0;     // the overbar's right end: the radicand's end
    double slope = 0;   // the diagonal's horizontal run per row, leaning left downward
    double thin = 1;    // the diagonal's horizontal thickness
    double cornerX = 0; // the lowest corner's right end
    double cornerY = 0; // the lowest corner's row (the sign's bottom edge)

    // The left edge of the diagonal at row y.
    double diagonalLeft(double y) const { return stem - thin - slope * (y - barTop); }
    std::vector<PointF> outline() const;
};

RadicalShape radicalShape(const ExprNode& n, int stroke, int overbarTop) {
    RadicalShape r;
    const int h = n.headHeight;
    r.left = n.left;
    r.top = n.axis - half(h);
    r.bottom = n.axis + half(h);
    r.height = h;
    r.stroke = stroke;
    r.stem = static_cast<int>(n.left + 0.4 * h);
    r.barTop = overbarTop;
    r.end = r.stem + std::max(0, n.width - n.headWidth);
    r.cornerX = r.left + 0.23 * h;
    r.cornerY = r.bottom - stroke;
    const double rise = std::max(1.0, r.cornerY - r.barTop);
    r.slope = (r.stem - r.cornerX) / rise;
    r.thin = stroke * std::sqrt(1 + r.slope * r.slope);
    return r;
}

// Where the lines through a1, a2 and through b1, b2 cross; a2 when they are parallel.
PointF crossing(PointF a1, PointF a2, PointF b1, PointF b2) {
    const double dax = a2.x - a1.x, day = a2.y - a1.y, dbx = b2.x - b1.x, dby = b2.y - b1.y;
    const double d = dax * dby - day * dbx;
    if (std::abs(d) < 1e-9) return a2;
    const double t = ((b1.x - a1.x) * dby - (b1.y - a1.y) * dbx) / d;
    return {a1.x + t * dax, a1.y + t * day};
}

std::vector<PointF> RadicalShape::outline() const {
    const double h = height;
    const double s = stroke;
    const double heavy = std::max(1.5, 1.8 * s); // the heavy stroke's horizontal thickness
    const double tick = std::max(1.0, 0.8 * s);  // the tick's vertical thickness
    const PointF heavyTop{left + 0.09 * h, top + 0.55 * h};
    const PointF tickEnd{left, top + 0.62 * h};
    // The diagonal: right edge from the lowest corner to the overbar, left edge one thickness before it.
    const PointF bottomRight{cornerX, cornerY};
    const PointF bottomLeft{cornerX - thin, cornerY};
    const PointF diagonalTop{stem - thin, barTop};
    // The heavy stroke: its outer edge from heavyTop to the lowest corner, its inner edge parallel.
    const PointF innerTop{heavyTop.x + heavy, heavyTop.y};
    const PointF innerBottom{innerTop.x + (bottomLeft.x - heavyTop.x), bottomLeft.y};
    const PointF notch = crossing(innerTop, innerBottom, bottomLeft, diagonalTop);
    // The tick: its top edge from its end to the heavy stroke's inner top corner, its bottom edge parallel.
    const PointF tickBottom{tickEnd.x, tickEnd.y + tick};
    const PointF tickJoin = crossing(
        tickBottom, {tickBottom.x + (innerTop.x - tickEnd.x), tickBottom.y + (innerTop.y - tickEnd.y)},
        heavyTop, bottomLeft);
    return {diagonalTop,
            {end, barTop},
            {end, barTop + s},
            {stem - slope * s, barTop + s},
            bottomRight,
            bottomLeft,
            tickJoin,
            tickBottom,
            tickEnd,
            innerTop,
            notch};
}

// While it lives, radicals drawn inside start their overbar below the one at overbarTop.
class UnderOverbar {
public:
    UnderOverbar(Typesetter& ts, int overbarTop, int stroke) : ts_(ts), saved_(ts.overbarFloor) {
        ts.overbarFloor = overbarTop + stroke + std::max(1, (stroke + 1) / 2);
    }
    ~UnderOverbar() { ts_.overbarFloor = saved_; }
    UnderOverbar(const UnderOverbar&) = delete;
    UnderOverbar& operator=(const UnderOverbar&) = delete;

private:
    Typesetter& ts_;
    int saved_;
};

void heightUnderStroke(Walk& walk, ExprNode& n) {
    const long long head = walk.h(n.first.get()) + 5;
    setHeights(n, head, head);
}

void widthVector(Walk& walk, ExprNode& n) {
    const long long inner = walk.w(n.first.get());
    setWidths(n, inner, inner);
}

void drawVector(Walk& walk, ExprNode& n) {
    walk.draw(n.first.get());
    walk.ts.drawVectorArrow(n, walk.canvas);
    walk.ts.penX = n.left + n.width;
    walk.ts.penAxis = n.axis;
}

void widthSquareRoot(Walk& walk, ExprNode& n) {
    const long long head = static_cast<int>(0.4 * n.headHeight);
    setWidths(n, head, walk.w(n.first.get()) + head);
}

void drawSquareRoot(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    const int overbar = t.radicalOverbarTop(n, walk.canvas);
    t.penX = static_cast<int>(n.left + 0.4 * n.headHeight);
    t.penAxis = n.axis + 2;
    {
        const UnderOverbar under(t, overbar, strokeWidth(walk.canvas));
        walk.draw(n.first.get());
    }
    t.drawRadical(n, walk.canvas, overbar);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}

void heightNthRoot(Walk& walk, ExprNode& n) {
    const long long head = walk.h(n.second.get()) + 5;
    setHeights(n, head, head + walk.hs(n.first.get()));
}

void widthNthRoot(Walk& walk, ExprNode& n) {
    const long long radicand = walk.w(n.second.get());
    const long long head = std::max<long long>(static_cast<int>(0.4 * n.headHeight), walk.ws(n.first.get()));
    setWidths(n, head, radicand + head);
}

// How far right of its pen the degree's ink reaches, and how far below its centre line, at script size.
struct DegreeInk {
    int right = 0;
    int below = 0;
};
DegreeInk degreeInk(const ExprNode* degree, Canvas& canvas) {
    if (!degree) return {};
    const int cellTop = -half(degree->height);
    // A name or number answers with its glyphs' ink; anything larger with its box.
    if (!degree->first && !degree->text.empty()) {
        const Rect ink = canvas.textInk(degree->text);
        const int bottom = canvas.inkRow(degree->text, degree->width, degree->height, -1);
        return {std::max(degree->width, ink.right), cellTop + bottom + 1};
    }
    return {degree->width, cellTop + degree->height};
}

void drawNthRoot(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* degree = n.first.get();
    const double u = 0.4 * n.headHeight;
    const double excess = measuredWidth(degree) - u;
    const double e = excess > 0 ? excess : 0;
    const int nodeLeft = t.penX;
    n.left = static_cast<int>(t.penX + e);
    n.axis = t.penAxis + 2;
    const int overbar = t.radicalOverbarTop(n, canvas);
    const int stroke = strokeWidth(canvas);
    t.penX = static_cast<int>(n.left + u);
    t.penAxis = n.axis;
    {
        const UnderOverbar under(t, overbar, stroke);
        walk.draw(n.second.get());
    }
    t.drawRadical(n, canvas, overbar);
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    // The degree sits on the head's top left, its ink clear of the diagonal by a stroke and a pixel
    // where the head leaves room for that; it never starts further left than the node.
    const int axis = n.axis - half(n.headHeight);
    const DegreeInk ink = degreeInk(degree, canvas);
    const RadicalShape shape = radicalShape(n, stroke, overbar);
    const int clear =
        static_cast<int>(std::floor(shape.diagonalLeft(axis + ink.below))) - stroke - 1 - ink.right;
    const int placed = static_cast<int>(n.left + u - measuredWidth(degree)) - 2;
    t.penX = std::max(std::min(placed, clear), std::min(placed, nodeLeft));
    t.penAxis = axis;
    walk.draw(degree);
    canvas.setFontSize(size);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

const Box kVectorBox{heightUnderStroke, widthVector, drawVector};
const Box kSquareRootBox{heightUnderStroke, widthSquareRoot, drawSquareRoot};
const Box kNthRootBox{heightNthRoot, widthNthRoot, drawNthRoot};

} // namespace detail

using expr::ExprNode;

int Typesetter::radicalOverbarTop(const ExprNode& n, const Canvas& canvas) const {
    const int s = detail::strokeWidth(canvas);
    // Below the top by half a stroke and a pixel at least: a fraction bar just above keeps a white row.
    return std::max(n.axis - half(n.headHeight) + std::max(2, s / 2 + 1), overbarFloor);
}

void Typesetter::drawRadical(const ExprNode& n, Canvas& canvas, int overbarTop) {
    const int s = detail::strokeWidth(canvas);
    canvas.setPenColor(style.colors.operatorColor);
    canvas.fillShape(detail::radicalShape(n, s, overbarTop).outline());
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawVectorArrow(const ExprNode& n, Canvas& canvas) {
    // A shaft over the whole name and a filled head with both barbs, inside the strip the box leaves
    // above the name; under a radical's overbar it starts below it.
    const double s = detail::strokeWidth(canvas);
    const double reach = std::max(2.5, 1.5 * s); // the barbs above and below the shaft's middle
    const double top = std::max(n.axis - half(n.height), overbarFloor);
    const double middle = top + reach;
    const double left = n.left;
    const double right = n.left + n.width;
    const double length = std::min(2.2 * reach, std::max(0.0, right - left));
    const double notch = right - 0.7 * length;
    canvas.setPenColor(style.colors.operatorColor);
    canvas.fillShape({{left, middle - s / 2},
                      {notch + s / 2, middle - s / 2},
                      {notch + s / 2, middle + s / 2},
                      {left, middle + s / 2}});
    canvas.fillShape({{right, middle},
                      {right - length, middle - reach},
                      {notch, middle},
                      {right - length, middle + reach}});
    canvas.setPenColor(style.colors.variableColor);
}

} // namespace quorvel::typeset

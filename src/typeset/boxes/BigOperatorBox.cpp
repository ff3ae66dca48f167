// Operators that take a body: limits, integrals with their bounds, sums and products with their
// bounds above and below the sign.
#include "Box.h"

#include <cmath>

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;
using expr::Keyword;

void heightLimit(Walk& walk, ExprNode& n) {
    const long long head = th(walk.canvas, n.text);
    const long long l = head + std::max(walk.hs(n.first.get()), walk.hs(n.second.get()));
    const long long body = walk.h(n.third.get());
    setHeights(n, head, body >= l + 1 ? body : l + 1);
}

void widthLimit(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const long long name = tw(canvas, n.text);
    long long r = atScriptSize(canvas, [&] { return tw(canvas, "→"); });
    r += walk.ws(n.first.get()) + walk.ws(n.second.get());
    ExprNode* body = n.third.get();
    const long long bodyWidth = walk.w(body);
    const long long extra = isCompound(body) ? walk.b(body) : (body ? 2 : 0);
    setWidths(n, name, std::max(name, r) + bodyWidth + extra);
}

void drawLimit(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* variable = n.first.get();
    ExprNode* target = n.second.get();
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int r = tw(canvas, "→") + measuredWidth(variable) + measuredWidth(target);
    canvas.setFontSize(size);
    n.left = n.headWidth < r ? t.penX + half(r - n.headWidth) : t.penX;
    n.axis = t.penAxis;
    const int bottom = t.inkRow(&n, -1, canvas);
    t.penAxis = n.axis + bottom + half(std::max(measuredHeight(variable), measuredHeight(target))) -
                half(n.headHeight);
    t.penX = n.left + half(n.headWidth - r);
    canvas.setFontSize(scriptSize(size));
    walk.draw(variable);
    walk.text("→");
    walk.draw(target);
    const int end = std::max(t.penX, n.left + n.headWidth);
    canvas.setFontSize(size);
    t.penX = n.left;
    t.penAxis = n.axis;
    walk.sign(n.text, t.style.colors.operatorColor);
    t.penX = end + 2;
    t.penAxis = n.axis;
    ExprNode* function = n.third.get();
    if (isCompound(function) && function->kind != Keyword::F)
        walk.drawBracketed(function);
    else
        walk.draw(function);
}
void heightIntegral(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const int size = canvas.fontSize();
    canvas.setFontPixelHeight(canvas.fontPixelHeight() * 2);
    const long long head = th(canvas, "∫");
    canvas.setFontSize(size);
    // The bounds are measured at script size for drawing but do not count in the height.
    walk.hs(n.first.get());
    walk.hs(n.first->next.get());
    setHeights(n, head, std::max({head, walk.h(n.second.get()), walk.h(n.third.get())}));
}

void widthIntegral(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const long long sign = tw(canvas, "∫");
    const long long bounds = std::max(walk.ws(n.first.get()), walk.ws(n.first->next.get()));
    const long long head = 2 * sign + bounds;
    ExprNode* integrand = n.second.get();
    const long long inner = walk.w(integrand);
    const long long variable = walk.w(n.third.get());
    const long long extra = isCompound(integrand) ? walk.b(integrand) : (integrand ? 2 : 0);
    setWidths(n, head, tw(canvas, "d") + inner + variable + head + extra);
}

// The shapes of a slanted integral sign filling box: an S-shaped stroke from the top right to the bottom
// left, thickest (thick) in the middle and thinner towards the hooks, and a round terminal at each end.
std::vector<std::vector<PointF>> integralShapes(double left, double top, double right, double bottom,
                                                double thick) {
    // The centre line in a unit design (x to the right, y down, the box 1 by 1): the top hook, the
    // slanted stem and the bottom hook, three cubic curves that join smoothly. It is fitted to the box
    // less the terminals' radius, so all ink stays inside.
    const double ball = 0.4 * thick;
    const PointF join1{0.64, 0.16}, join2{0.36, 0.84};
    const PointF d{join2.x - join1.x, join2.y - join1.y}; // the stem's direction
    auto along = [&](const PointF& p, double k) { return PointF{p.x + d.x * k, p.y + d.y * k}; };
    const PointF pieces[3][4] = {
        {{1.0, 0.12}, {1.0, 0.0}, along(join1, -0.2), join1},
        {join1, along(join1, 0.3), along(join2, -0.3), join2},
        {join2, along(join2, 0.2), {0.0, 1.0}, {0.0, 0.88}},
    };
    constexpr int kSteps = 24; // per piece
    std::vector<PointF> centre;
    for (const auto& c : pieces)
        for (int i = centre.empty() ? 0 : 1; i <= kSteps; ++i) {
            const double t = static_cast<double>(i) / kSteps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, e = 3 * u * t * t, f = t * t * t;
            centre.push_back({a * c[0].x + b * c[1].x + e * c[2].x + f * c[3].x,
                              a * c[0].y + b * c[1].y + e * c[2].y + f * c[3].y});
        }
    double minX = centre[0].x, maxX = minX, minY = centre[0].y, maxY = minY;
    for (const PointF& p : centre) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double x0 = left + ball, x1 = std::max(x0, right - ball);
    const double y0 = top + ball, y1 = std::max(y0, bottom - ball);
    for (PointF& p : centre)
        p = {x0 + (p.x - minX) / (maxX - minX) * (x1 - x0), y0 + (p.y - minY) / (maxY - minY) * (y1 - y0)};
    std::vector<PointF> sideA, sideB;
    for (std::size_t i = 0; i < centre.size(); ++i) {
        const PointF& before = centre[i == 0 ? 0 : i - 1];
        const PointF& after = centre[i + 1 < centre.size() ? i + 1 : i];
        const double dx = after.x - before.x, dy = after.y - before.y;
        const double length = std::max(1e-9, std::hypot(dx, dy));
        const double t = static_cast<double>(i) / (centre.size() - 1);
        // Full thickness along the stem, thinner into the hooks: near the box's edges the stroke is
        // thinner than the terminals, so it too stays inside.
        const double half = thick / 2 * (0.3 + 0.7 * std::pow(std::sin(3.14159265358979 * t), 1.5));
        sideA.push_back({centre[i].x - dy / length * half, centre[i].y + dx / length * half});
        sideB.push_back({centre[i].x + dy / length * half, centre[i].y - dx / length * half});
    }
    std::vector<PointF> stroke = sideA;
    stroke.insert(stroke.end(), sideB.rbegin(), sideB.rend());
    auto terminal = [&](const PointF& at) {
        constexpr int kArc = 24;
        std::vector<PointF> circle;
        for (int k = 0; k < kArc; ++k) {
            const double angle = 3.14159265358979 * 2 * k / kArc;
            circle.push_back({at.x + ball * std::cos(angle), at.y + ball * std::sin(angle)});
        }
        return circle;
    };
    return {stroke, terminal(centre.front()), terminal(centre.back())};
}

void drawIntegral(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    const int size = canvas.fontSize();
    {
        // The sign takes the advance of the double-size glyph that the layout measured: a slanted
        // stroke about one and a half text stems thick, clear of the bounds that follow it and of the
        // head's top and bottom.
        const int em = canvas.fontPixelHeight();
        const int s = strokeWidth(canvas);
        canvas.setFontPixelHeight(em * 2);
        const int advance = tw(canvas, "∫");
        canvas.setFontSize(size);
        const double thick = std::max(1.5, 0.125 * em);
        const double margin = std::max(1, s);
        const double top = n.axis - half(n.headHeight) + margin,
                     bottom = n.axis + half(n.headHeight) - margin;
        const double left = n.left + 0.5 * margin, right = n.left + advance - margin - 1;
        if (right > left && bottom > top) {
            canvas.setPenColor(t.style.colors.operatorColor);
            for (const std::vector<PointF>& shape : integralShapes(left, top, right, bottom, thick))
                canvas.fillShape(shape);
            canvas.setPenColor(t.style.colors.variableColor);
        }
        t.penX = n.left + advance;
    }

    ExprNode* upper = n.first.get();
    ExprNode* lower = upper ? upper->next.get() : nullptr;
    canvas.setFontSize(scriptSize(size));
    t.penAxis = n.axis + half(measuredHeight(upper)) - half(n.headHeight);
    const int x1 = t.penX;
    walk.draw(upper);
    t.penAxis = n.axis + half(n.headHeight) - half(measuredHeight(lower));
    t.penX = x1;
    walk.draw(lower);
    canvas.setFontSize(size);

    t.penX = n.left + n.headWidth;
    t.penAxis = n.axis;
    ExprNode* integrand = n.second.get();
    if (isCompound(integrand)) {
        walk.drawBracketed(integrand);
    } else if (integrand) {
        t.penX += 2;
        walk.draw(integrand);
    }
    walk.sign("d", t.style.colors.operatorColor);
    walk.draw(n.third.get());
}
void heightBigOperator(Walk& walk, ExprNode& n) {
    const long long sign = th(walk.canvas, signOf(n));
    const long long l = walk.hs(n.first.get()) + walk.hs(n.second.get()) + sign;
    const long long body = walk.h(n.third.get());
    setHeights(n, sign, body >= l + 2 ? body : l);
}

void widthBigOperator(Walk& walk, ExprNode& n) {
    const long long sign = tw(walk.canvas, signOf(n));
    const long long column = std::max({sign, walk.ws(n.first.get()), walk.ws(n.second.get())});
    const long long body = walk.w(n.third.get());
    setWidths(n, sign, column + body + walk.b(n.third.get()));
}

void drawBigOperator(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* lower = n.first.get();
    ExprNode* upper = n.second.get();
    ExprNode* body = n.third.get();
    const int column = n.width - measuredWidth(body);
    n.left = n.headWidth < column ? t.penX + half(column - n.headWidth) : t.penX;
    n.axis = t.penAxis;

    t.penX = n.left + half(n.headWidth - measuredWidth(lower));
    const int inkBottom = t.inkRow(&n, -1, canvas);
    t.penAxis = n.axis + inkBottom + half(measuredHeight(lower)) - half(n.headHeight);
    walk.drawScript(lower);
    const int lowerEnd = t.penX;

    const int inkTop = t.inkRow(&n, +1, canvas);
    t.penAxis = n.axis - half(n.headHeight) + inkTop - half(measuredHeight(upper));
    t.penX = n.left + half(n.headWidth - measuredWidth(upper));
    walk.drawScript(upper);
    const int upperEnd = t.penX;

    t.penX = n.left;
    t.penAxis = n.axis;
    walk.symbol(signOf(n), t.style.colors.operatorColor);
    t.penX = std::max({lowerEnd, upperEnd, n.left + n.headWidth});
    t.penAxis = n.axis;
    if (isCompound(body))
        walk.drawBracketed(body);
    else
        walk.draw(body);
}
} // namespace

const Box kLimitBox{heightLimit, widthLimit, drawLimit};
const Box kIntegralBox{heightIntegral, widthIntegral, drawIntegral};
const Box kBigOperatorBox{heightBigOperator, widthBigOperator, drawBigOperator};

} // namespace quorvel::typeset::detail

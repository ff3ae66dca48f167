// How a typed formula is recognised as a kind of curve and evaluated as one.
#include "graph/PlaneFormula.h"
#include "document/Document.h"
#include "expr/Conversion.h"
#include "graph/CurvePalette.h"
#include "graph/ParameterRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvel::graph {
namespace {

using namespace document;

std::string markupOf(const char* typed) {
    const expr::Conversion c = expr::convertText(typed, expr::Road::Value);
    EXPECT_TRUE(c.ok()) << typed;
    return c.canonical;
}

DEFINEFUN itemOf(const char* typed, int kind) {
    DEFINEFUN item;
    item.kind = kind;
    item.expression = markupOf(typed);
    return item;
}

TEST(PlaneFormula, TheShapeOfTheFormulaNamesItsKind) {
    const std::pair<const char*, int> cases[] = {
        {"y=x^2", KindCustomFunction},
        {"2x+1", KindCustomFunction},
        {"y=A*sin(B*x+C)", KindCustomFunction},
        {"x=2", KindImplicit}, // a vertical line, never the horizontal line y = 2
        {"x^2/4+y^2/9=1", KindImplicit},
        {"y^2=4x", KindImplicit},
        {"y=y^2+x", KindImplicit},
        {"x=cos(t);y=sin(t)", KindParametric},
        {"y=sin(2t);x=cos(3t)", KindParametric},
        {"r=1+cos(θ)", KindPolar},
        {"r=2", KindPolar},
        {"r=x+1", KindImplicit},
        {"y>x^2", KindRegion},
        {"x^2+y^2<=4", KindRegion},
        {"x+y<=2;x>=0;y>=0", KindRegion},
        {"x=cos(t);y>0", KindCustomFunction}, // a mixed system is read as a piecewise function, as before
    };
    for (const auto& [typed, kind] : cases)
        EXPECT_EQ(curveKindOfMarkup(markupOf(typed)), kind) << typed;
}

TEST(PlaneFormula, TheChosenKindMustFitTheFormula) {
    EXPECT_EQ(fitCurveKind(markupOf("x^2+y^2=1"), KindImplicit).kind, KindImplicit);
    EXPECT_EQ(fitCurveKind(markupOf("y>x"), KindImplicit).kind, KindRegion);
    EXPECT_EQ(fitCurveKind(markupOf("y=x^2"), KindImplicit).kind, KindImplicit);
    EXPECT_EQ(fitCurveKind(markupOf("y=x^2"), KindCustomFunction).kind, KindCustomFunction);
    for (const auto& [typed, kind] : {std::pair{"x^2+y^2=1", KindCustomFunction}, std::pair{"y=x", KindPolar},
                                      std::pair{"r=θ", KindParametric}, std::pair{"2x+1", KindImplicit}}) {
        const KindFit fit = fitCurveKind(markupOf(typed), kind);
        EXPECT_FALSE(fit.kind) << typed;
        EXPECT_FALSE(fit.problem.empty()) << typed;
    }
}

TEST(PlaneFormula, EvaluatesEachKindWithItsParameters) {
    DEFINEFUN ellipse = itemOf("x^2/A+y^2/9=1", KindImplicit);
    ellipse.paramCount = 1;
    ellipse.paramNames[0] = "A";
    ellipse.paramValues[0] = 4;
    auto f = PlaneFormula::fromItem(ellipse);
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ(f->implicitValue(2, 0), 0);
    EXPECT_DOUBLE_EQ(f->implicitValue(0, 3), 0);
    EXPECT_TRUE(std::isnan(PlaneFormula::fromItem(itemOf("1/(x-y)=0", KindImplicit))->implicitValue(1, 1)));

    auto region = PlaneFormula::fromItem(itemOf("x+y<=2;x>0", KindRegion));
    ASSERT_TRUE(region);
    ASSERT_EQ(region->constraintCount(), 2u);
    EXPECT_DOUBLE_EQ(region->margin(0, 0.5, 0.5), 1); // inside by 1
    EXPECT_DOUBLE_EQ(region->margin(1, -1, 0), -1);
    EXPECT_FALSE(region->strict(0));
    EXPECT_TRUE(region->strict(1));

    // A negative radius lies on the opposite ray.
    auto polar = PlaneFormula::fromItem(itemOf("r=1+2cos(θ)", KindPolar));
    const auto p = polar->pointAt(std::numbers::pi);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->first, 1, 1e-12);
    EXPECT_NEAR(p->second, 0, 1e-12);
    auto parametric = PlaneFormula::fromItem(itemOf("y=sin(t);x=2cos(t)", KindParametric));
    const auto q = parametric->pointAt(0);
    ASSERT_TRUE(q);
    EXPECT_DOUBLE_EQ(q->first, 2);
    EXPECT_DOUBLE_EQ(q->second, 0);
    EXPECT_FALSE(PlaneFormula::fromItem(itemOf("y=sqrt(t);x=t", KindParametric))->pointAt(-1));
    // A formula that does not have the item's kind is not drawn as that kind.
    EXPECT_FALSE(PlaneFormula::fromItem(itemOf("x^2+y^2=1", KindParametric)));
}

// Curves are traced where the value changes sign; a zero kept from changing sign by an even power, an
// absolute value or a root is traced through the part that changes, and nothing else is.
TEST(PlaneFormula, ZerosWithoutAChangeOfSignAreTracedThroughWhatChanges) {
    for (const char* typed : {"(x-y)^2=0", "0=|x-y|", "sqrt(x-y)=0", "-(x-y)^4=0"}) {
        auto f = PlaneFormula::fromItem(itemOf(typed, KindImplicit));
        ASSERT_TRUE(f) << typed;
        EXPECT_LT(f->implicitValue(1, 0) * f->implicitValue(0, 1), 0) << typed;
        EXPECT_EQ(f->implicitValue(0.5, 0.5), 0) << typed;
    }
    EXPECT_DOUBLE_EQ(PlaneFormula::fromItem(itemOf("(x-y)^2=1", KindImplicit))->implicitValue(3, 0), 8);
    EXPECT_DOUBLE_EQ(PlaneFormula::fromItem(itemOf("(x-y)^3=0", KindImplicit))->implicitValue(3, 0), 27);
    EXPECT_DOUBLE_EQ(PlaneFormula::fromItem(itemOf("x^2+y^2=0", KindImplicit))->implicitValue(0, -1), 1);
    // A root of degree 0 has no value anywhere: no line.
    EXPECT_TRUE(
        std::isnan(PlaneFormula::fromItem(itemOf("ext(x-y,0)=0", KindImplicit))->implicitValue(1, 0)));
}

TEST(ParameterRange, BoundsMayBeWrittenWithPi) {
    EXPECT_EQ(*parameterBound("2π"), kDefaultParameterEnd); // as a document stores it
    EXPECT_NEAR(*parameterBound("-pi/2"), -std::numbers::pi / 2, 1e-14);
    EXPECT_DOUBLE_EQ(*parameterBound("1.5"), 1.5);
    for (const char* bad : {"", "a", "2x", "1/0", "π+"})
        EXPECT_FALSE(parameterBound(bad)) << bad;
    const std::pair<double, const char*> shown[] = {{0, "0"},
                                                    {2 * std::numbers::pi, "2π"},
                                                    {6.28318530717959, "2π"},
                                                    {-std::numbers::pi / 2, "-π/2"},
                                                    {3 * std::numbers::pi / 4, "3π/4"},
                                                    {std::numbers::pi, "π"},
                                                    {1.5, "1.5"}};
    for (const auto& [value, text] : shown)
        EXPECT_EQ(parameterBoundText(value), text) << value;
}

TEST(CurvePalette, NewCurvesTakeColoursNoCurveHas) {
    Document doc;
    EXPECT_EQ(nextCurveColour(doc), kCurvePalette[0]);
    DEFINEFUN curve;
    curve.kind = KindImplicit;
    curve.colour = kCurvePalette[0];
    doc.addCurve(curve);
    DEFINEFUN picture; // pictures have no line colour to avoid
    picture.kind = KindFormulaPicture;
    picture.colour = kCurvePalette[1];
    doc.addCurve(picture);
    EXPECT_EQ(nextCurveColour(doc), kCurvePalette[1]);
    for (std::size_t k = 1; k < kCurvePalette.size(); ++k) {
        curve.colour = kCurvePalette[k];
        doc.addCurve(curve);
    }
    EXPECT_EQ(nextCurveColour(doc), kCurvePalette[kCurvePalette.size() % kCurvePalette.size()]);
}

} // namespace
} // namespace quorvel::graph

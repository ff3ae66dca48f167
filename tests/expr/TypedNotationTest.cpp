// School notation rewritten into markup: the rewriting, the values it gives, and where refusals point.
#include "expr/TypedNotation.h"
#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"

#include "base/MessageSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvel::expr {
namespace {

std::string rewritten(std::string_view typed) {
    const TypedRewrite r = rewriteTypedNotation(typed);
    return r.failure ? "refused at " + std::to_string(r.failure->charPosition) : r.markup;
}

TEST(TypedNotation, RewritesSchoolNotationIntoMarkup) {
    const std::pair<const char*, const char*> cases[] = {
        {"y=x^2", "y=cub(x,2)"},
        {"y=x²+x³", "y=cub(x,2)+cub(x,3)"},
        {"x**2", "cub(x,2)"},
        {"-x^2", "-cub(x,2)"},
        {"2^3^2", "cub(2,cub(3,2))"},
        {"x^-1", "cub(x,-1)"},
        {"x^(n+1)", "cub(x,n+1)"},
        // Brackets around a power's base stay only where the power would not set the base off itself.
        {"(x+1)^2", "cub(x+1,2)"},
        {"(2x)³", "cub(2*x,3)"},
        {"(-2)^2", "cub(-2,2)"},
        {"(1/2)^x", "cub(1/2,x)"},
        {"(sin x)^2", "cub(sin( x),2)"},
        {"((a))^2", "cub((a),2)"},
        {"(x)^2", "cub(x,2)"},
        {"(√x)^2", "cub((sqrt(x)),2)"},
        {"(n!)^2", "cub((n!),2)"},
        {"(x=1)^2", "cub((x=1),2)"},
        {"(|x|)^2", "cub(abs(x),2)"},
        {"(x;y)^2", "cub((x;y),2)"},
        {"(a+b]^2", "cub((a+b],2)"},
        {"e^x", "exp(x)"},
        {"2e^(x+1)", "2*exp(x+1)"},
        {"y=2x+1", "y=2*x+1"},
        {"3(x+1)", "3*(x+1)"},
        {"2π", "2*π"},
        {"2sin(x)", "2*sin(x)"},
        {"(x+1)(x-1)", "(x+1)*(x-1)"},
        {"(x+1)2", "(x+1)*2"},
        {"x^2y", "cub(x,2)*y"},
        {"y=sin x", "y=sin( x)"},
        {"sinx", "sin(x)"},
        {"sin2x", "sin(2*x)"},
        {"sin 2x", "sin( 2*x)"},
        {"sin x^2", "sin(cub( x,2))"},
        {"sin x cos x", "sin( x)*cos( x)"},
        {"sin^2 x", "cub(sin( x),2)"},
        {"sin²x+cos²x", "cub(sin(x),2)+cub(cos(x),2)"},
        {"sin(x)^2", "cub(sin(x),2)"},
        {"ln x+1", "ln( x)+1"},
        {"√x", "sqrt(x)"},
        {"√(x+1)", "sqrt(x+1)"},
        {"cosa", "cos(a)"},
        {"log_2 x", "log(2, x)"},
        {"log_2(x+1)", "log(2,x+1)"},
        {"log_0.5x^2", "log(0.5,cub(x,2))"},
        {"3log_a b", "3*log(a, b)"},
        {"tan(x)+cot x", "tg(x)+ctg( x)"},
        {"arctan x", "arctg( x)"},
        {"y=pi*x", "y=π*x"},
        {"y=|x|", "y=abs(x)"},
        {"|x-|y||", "abs(x-abs(y))"},
        {"2|x|", "2*abs(x)"},
        {"x≤1", "x<=1"},
        {"x≥1", "x>=1"},
        {"x÷2", "x/2"},
        {"x−1", "x-1"},
        {"x*-1", "x*(-1)"},
        {"x/-2^2", "x/(-cub(2,2))"},
        {"x+-1", "x+(-1)"},
        {"--x", "-(-x)"},
        {"x^--1", "cub(x,-(-1))"},
        {"sin -2x", "sin( -2*x)"},
        {"a x^2 + b x + c", "a*cub( x,2) + b* x + c"},
        {"x 2", "x* 2"},
        // Names, numbers and markup stay as they are.
        {"ab", "ab"},
        {"2 3", "2 3"},
        {"shape", "shape"},
        {"x1", "x1"},
        {"x_1", "x_1"},
        {"x_ _11", "x_ _11"},
        {"1e-5+2.5E3", "1e-5+2.5E3"},
        {"ing1(a;b,x,x)", "ing1(a;b,x,x)"},
        {"sin(30°)", "sin(30°)"},
        {"abs(x)≤1", "abs(x)<=1"},
    };
    for (const auto& [typed, markup] : cases)
        EXPECT_EQ(rewritten(typed), markup) << typed;
}

TEST(TypedNotation, RefusesWhatItCannotReadAtTheTypedCharacter) {
    const std::pair<const char*, int> cases[] = {
        {"y=2x(x-1)", 4}, {"n(n+1)", 1},  {"|x", 1}, {"y=|x", 3}, {"x^", 2},
        {"x^)", 2},       {"y = sin", 5}, {"√", 1},  {"2*-", 3},  {"y=log_2", 3},
    };
    for (const auto& [typed, at] : cases)
        EXPECT_EQ(rewritten(typed), "refused at " + std::to_string(at)) << typed;
}

TEST(TypedNotation, DeepNestingIsRefusedNotRecursedInto) {
    std::string powers;
    for (int i = 0; i < 5000; ++i)
        powers += "x^";
    powers += "x";
    EXPECT_TRUE(rewriteTypedNotation(powers).failure);
    std::string functions;
    for (int i = 0; i < 5000; ++i)
        functions += "sin ";
    EXPECT_TRUE(rewriteTypedNotation(functions + "x").failure);
    // Brackets nested to the limit are read (on a stack of their own), one more level is refused.
    const std::string deep = std::string(1000, '(') + "x" + std::string(1000, ')');
    EXPECT_TRUE(convertText(deep, Road::Value).ok());
    EXPECT_FALSE(convertText("(" + deep + ")", Road::Value).ok());
}

double valueOf(std::string_view typed, double x) {
    RecordingSink sink;
    Engine engine(sink);
    Conversion c = convertText(typed, Road::Value);
    EXPECT_TRUE(c.ok()) << typed << ": " << (c.failure ? c.failure->message : "");
    if (!c.ok()) return NAN;
    ExprNode* node = evaluatedNode(c.tree.get());
    return evaluate(engine, node, x) ? nodeValue(node) : NAN;
}

TEST(TypedNotation, GivesTheValuesAStudentExpects) {
    const struct {
        const char* typed;
        double x;
        double value;
    } cases[] = {
        {"y=x^2", 3, 9},
        {"y=x²", -3, 9},
        {"y=2x+1", 3, 7},
        {"y=-x^2", 2, -4},
        {"2^3^2", 0, 512},
        {"x^-1", 4, 0.25},
        {"y=(x+1)(x-1)", 3, 8},
        {"y=sin 2x", 0.5, std::sin(1.0)},
        {"y=sin x^2", 2, std::sin(4.0)},
        {"y=√(x+1)", 3, 2},
        {"y=tan(x)", 1, std::tan(1.0)},
        {"y=arctan x", 1, std::numbers::pi / 4},
        {"y=e^x", 1, std::numbers::e},
        {"y=|x|", -2.5, 2.5},
        {"y=pi*x", 2, 2 * std::numbers::pi},
        {"y=x*-1", 2, -2},
        {"y=x+-1", 2, 1},
        {"y=--x", 2, 2},
        {"y=2π", 0, 2 * std::numbers::pi},
        {"y=sin^2 x+cos^2 x", 0.7, 1},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(valueOf(c.typed, c.x), c.value, 1e-12) << c.typed;
}

TEST(Conversion, RefusalsPointAtWhatWasTyped) {
    // The check finds ")" at character 10 of "cub(x,2)+)"; typed, it is character 5 (GBK 5).
    const Conversion c = convertText("x^2+)", Road::Picture);
    ASSERT_TRUE(c.failure);
    EXPECT_EQ(c.failure->charPosition, 5);
    EXPECT_NE(c.failure->message.find("第5位"), std::string::npos) << c.failure->message;
    // Blanks count where the user typed them; a Chinese character counts two bytes.
    const Conversion spaced = convertText("长 + sin x )", Road::Picture);
    ASSERT_TRUE(spaced.failure);
    EXPECT_EQ(spaced.failure->charPosition, 11);
    EXPECT_NE(spaced.failure->message.find("第12位"), std::string::npos) << spaced.failure->message;
}

TEST(Conversion, LinesTypedWithSemicolonsAreASystem) {
    EXPECT_EQ(rewritten("x=cos t; y=sin t"), "lak(2,x=cos( t); y=sin( t))");
    EXPECT_EQ(rewritten("x+y<=2;x>=0;y>=0"), "lak(3,x+y<=2;x>=0;y>=0)");
    EXPECT_EQ(rewritten("ing1(0;1,x,x)"), "ing1(0;1,x,x)"); // a ";" inside a call stays its own
    // A refusal inside a line still points at what was typed.
    const Conversion c = convertText("x=1;y=)", Road::Value);
    ASSERT_TRUE(c.failure);
    EXPECT_EQ(c.failure->charPosition, 7);
}

TEST(Conversion, LiteralReadingTakesMarkupAsStored) {
    EXPECT_EQ(convertText("x^2", Road::Picture, Reading::Literal).canonical, "x^2");
    const Conversion typed = convertText("sum(i=0,n,x_ _i)", Road::Picture);
    EXPECT_EQ(typed.canonical, "sum(i=0,n,x__i)");
    EXPECT_EQ(treeToText(typed.tree.get()), typed.functionForm);
}

} // namespace
} // namespace quorvel::expr

// LaTeX in: a table of LaTeX and the markup it reads as, refusals with their positions, and the limits.
// The round trip over the editor's examples is tests/typeset/LatexRoundTripTest.cpp.
#include "expr/LatexReader.h"

#include "expr/Validation.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::expr {
namespace {

std::string repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(LatexReader, Reads) {
    struct Row {
        const char* latex;
        const char* markup;
    };
    const Row rows[] = {
        // Fractions, roots, powers; side by side is a product.
        {"\\frac{-b\\pm\\sqrt{b^2-4ac}}{2a}", "div(-b±sqrt(cub(b,2)-4*a*c),2*a)"},
        {"x^{2}", "cub(x,2)"},
        {"x^2", "cub(x,2)"},
        {"x^23", "cub(x,2)*3"},
        {"\\frac12", "div(1,2)"},
        {"\\dfrac{\\frac{a}{b}}{c}", "div(div(a,b),c)"},
        {"\\sqrt[3]{x}", "ext(x,3)"},
        {"\\sqrt[{n}]{x}", "ext(x,n)"},
        {"x^{y^{z}}", "cub(x,cub(y,z))"},
        {"(a+b)^2", "cub(a+b,2)"},
        {"\\left(x^{2}\\right)^{3}", "cub(cub(x,2),3)"},
        {"{x_{1}}^{2}", "cub(x_ _1,2)"},
        {"x_1^2", "cub(x_ _1,2)"},
        {"{{x}^{2}}+{{x}_{1}}", "cub(x,2)+x_ _1"},
        {"e^{x}", "exp(x)"},
        {"\\mathrm{e}^{i\\pi}+1=0", "exp(i*π)+1=0"},
        {"10^x", "ind(10,x)"},
        {"2^{10}", "cub(2,10)"},
        {"4ac", "4*a*c"},
        {"2\\,3", "2*3"},
        {"\\pi r^2", "π*cub(r,2)"},
        {"n!", "n!"},
        {"\\left(n+1\\right)!", "(n+1)!"},
        {"{a+b}c", "a+b*c"},
        // Operators and relations.
        {"a\\cdot b\\times c\\div d", "a·b×c/d"},
        {"a\\le b\\leq c\\ge d\\geq e\\ne f\\neq g", "a<=b<=c>=d>=e≠f≠g"},
        {"a\\approx b\\equiv c", "a≈b≡c"},
        {"x\\to 0", "x→0"},
        {"AB\\perp CD", "A*B⊥C*D"},
        {"\\triangle ABC\\cong\\triangle DEF", "△ABC≌△DEF"},
        {"a\\sim b", "a∽b"},
        {"a=-1", "a=-1"},
        {"a+-b", "a+(-b)"},
        {"a\\cdot -b", "a·(-b)"},
        {"--x", "-(-x)"},
        {"50\\%", "50%"},
        {"x\\pm y", "x±y"},
        {"x ≤ y", "x<=y"},
        // Functions.
        {"\\sin x", "sin(x)"},
        {"\\sin^2 x", "cub(sin(x),2)"},
        {"\\sin 2x", "sin(2*x)"},
        {"\\sin x\\cos x", "sin(x)*cos(x)"},
        {"\\sin\\left(x+1\\right)", "sin(x+1)"},
        {"\\sin(x)^2", "cub(sin(x),2)"},
        {"\\cos^2 x+\\sin^2 x=1", "cub(cos(x),2)+cub(sin(x),2)=1"},
        {"\\tan x+\\cot x+\\arctan x", "tg(x)+ctg(x)+arctg(x)"},
        {"\\operatorname{tg}x", "tg(x)"},
        {"\\operatorname{arcctg}x", "arcctg(x)"},
        {"\\sinh x", "sh(x)"},
        {"\\ln x+\\lg x", "ln(x)+lg(x)"},
        {"\\ln^2 x", "cub(ln(x),2)"},
        {"\\log_{a}b", "log(a,b)"},
        {"\\log_2 8", "log(2,8)"},
        {"\\log x", "log(,x)"},
        {"\\exp(x)", "exp(x)"},
        {"f(x)", "f(x)"},
        {"f\\left(x,y\\right)", "f(x,y)"},
        {"g(x)", "g*(x)"},
        {"f'(x)", "f′*(x)"},
        {"y''", "y′′"},
        {"\\operatorname{sup}\\left(a,b\\right)", "sup(a,b)"},
        // Brackets and bars.
        {"\\left|x\\right|", "abs(x)"},
        {"|x|", "abs(x)"},
        {"||x|-1|", "abs(abs(x)-1)"},
        {"2|x|", "2*abs(x)"},
        {"\\left(a+b\\right)c", "(a+b)*c"},
        {"\\{a\\}", "{a}"},
        {"\\left\\{a\\right\\}", "{a}"},
        {"[a,b]", "[a,b]"},
        {"\\bigl(x\\bigr)", "(x)"},
        // Big operators, integrals, limits, derivatives.
        {"\\sum_{i=1}^{n} a_i", "sum(i=1,n,a_ _i)"},
        {"\\sum_{i=0}^{n}x_{i}", "sum(i=0,n,x_ _i)"},
        {"\\prod_{i=1}^{n} i", "prod(i=1,n,i)"},
        {"\\sum_{k=1}^{n}k^{2}=\\frac{n(n+1)}{2}", "sum(k=1,n,cub(k,2))=div(n*(n+1),2)"},
        {"\\sum_{i=1}^{n}\\left(a_{i}+1\\right)", "sum(i=1,n,a_ _i+1)"},
        {"\\sum x", "sum(,,x)"},
        {"\\int_a^b f(x)\\,dx", "ing1(b;a,f(x),x)"},
        {"\\int_{b}^{a}x\\,\\mathrm{d}x", "ing1(a;b,x,x)"},
        {"\\int_0^1 \\sin x dx", "ing1(1;0,sin(x),x)"},
        {"\\int_0^1 x^2+1\\,dx", "ing1(1;0,cub(x,2)+1,x)"},
        {"\\int f\\,d\\theta", "ing1(;,f,θ)"},
        {"\\int\\int f\\,dx\\,dy", "ing1(;,ing1(;,f,x),y)"},
        {"\\lim_{x\\to\\infty} f(x)", "lim(x,∞,f(x))"},
        {"\\lim_{x\\to 0}\\frac{\\sin x}{x}", "lim(x,0,div(sin(x),x))"},
        {"\\lim\\limits_{n\\rightarrow\\infty}\\left(1+\\frac{1}{n}\\right)^{n}",
         "lim(n,∞,cub(1+div(1,n),n))"},
        {"\\frac{dy}{dx}", "derive(y,x)"},
        {"\\frac{\\mathrm{d}y}{\\mathrm{d}x}", "derive(y,x)"},
        {"\\frac{\\partial y}{\\partial x}", "pderive(y,x)"},
        {"\\frac{d}{dx}\\left(x^2\\right)", "derive(cub(x,2),x)"},
        {"\\mathrm{d}y", "derive(y,)"},
        // Matrices, determinants, systems, conditions.
        {"\\begin{pmatrix}1&2\\\\3&4\\end{pmatrix}", "matrix(2,2,1;2;3;4)"},
        {"\\begin{bmatrix}x_{11}&x_{12}\\\\x_{21}&x_{22}\\end{bmatrix}",
         "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)"},
        {"\\begin{matrix}a&b\\\\c\\end{matrix}", "matrix(2,2,a;b;c;)"},
        {"\\begin{vmatrix}a&b\\\\c&d\\end{vmatrix}", "range(2,2,a;b;c;d)"},
        {"\\left[\\begin{matrix}a&b\\\\c&d\\\\\\end{matrix}\\right]", "matrix(2,2,a;b;c;d)"},
        {"\\left|\\begin{array}{cc}a&b\\\\c&d\\end{array}\\right|", "range(2,2,a;b;c;d)"},
        {"\\begin{cases}x+1, & x>0,\\ x<3\\\\\\sqrt{x}, & x>6\\end{cases}",
         "lak(2,con(2,x+1,x>0;x<3);con(1,sqrt(x),x>6))"},
        {"\\begin{cases}x & \\text{if } x>0\\\\0 & \\text{otherwise}\\end{cases}", "lak(2,con(1,x,x>0);0)"},
        {"\\left\\{\\begin{array}{l}x+y=1\\\\x-y=3\\end{array}\\right.", "lak(2,x+y=1;x-y=3)"},
        {"\\left\\{\\begin{aligned}&x+y=1\\\\&x-y=3\\\\\\end{aligned}\\right.", "lak(2,x+y=1;x-y=3)"},
        {"f(x)=x^2,\\quad x>0", "f(x)=con(1,cub(x,2),x>0)"},
        // Letters, signs, text, names.
        {"\\alpha+\\beta=\\pi", "α+β=π"},
        {"\\varepsilon\\epsilon\\varphi\\phi", "ε*ϵ*φ*ϕ"},
        {"\\mathrm{A}+\\mathrm{P}", "Α+Ρ"},
        {"\\mathrm{C}_{n}^{k}", "C(n,k)"},
        {"C_n^k+A_n^k", "C(n,k)+P(n,k)"},
        {"\\binom{n}{k}", "C(n,k)"},
        {"a_{ij}+x_1", "a_ _ij+x_ _1"},
        {"x_{\\alpha}", "x_ _α"},
        {"a_{n+1}", "tab(,n+1,a)"},
        {"\\overrightarrow{AB}", "vec(AB)"},
        {"\\vec a", "vec(a)"},
        {"\\angle A=90^\\circ", "∠A=90°"},
        {"\\angle A=90{}^{\\circ}", "∠A=90°"},
        {"2{}^{0}\\!/_{00}", "2‰"},
        {"\\mathrm{Rt}\\triangle ABC", "⊿ABC"},
        {"x\\in\\mathbb{R}", "x∈R"},
        {"A\\cup B=\\varnothing", "A∪B=∅"},
        {"\\text{面积}=\\text{长}\\times\\text{宽}", "面积=长×宽"},
        {"y=\\text{中文}x", "y=中文*x"},
        {"\\mathbf{x}+\\boldsymbol{y}", "x+y"},
        // Spacing, delimiters, comments.
        {"a\\,b\\;c\\quad d~e\\hspace{1em}f", "a*b*c*d*e*f"},
        {"$x+1$", "x+1"},
        {"$$x$$", "x"},
        {"\\[x\\]", "x"},
        {"\\displaystyle x % a comment\n+1", "x+1"},
        // A lone sign, as the editor's keys insert it.
        {"+", "+"},
        {"\\perp", "⊥"},
        {"\\frac{}{}", "div(,)"},
    };
    for (const Row& row : rows) {
        const LatexReading reading = readLatex(row.latex);
        EXPECT_TRUE(reading.ok()) << row.latex << ": " << reading.message;
        EXPECT_EQ(reading.markup, row.markup) << row.latex;
        EXPECT_EQ(reading.position, 0) << row.latex;
        EXPECT_FALSE(findCheckFailure(reading.markup).has_value()) << row.latex;
    }
}

TEST(LatexReader, RefusesWithThePosition) {
    struct Row {
        const char* latex;
        int position;
        const char* message; // a part of the message
    };
    const Row rows[] = {
        {"\\foo x", 1, "\\foo"},
        {"x+\\unknown", 3, "\\unknown"},
        {"x^", 2, "缺少参数"},
        {"\\frac{1}{", 9, "没有配对"},
        {"}", 1, "多余的"},
        {"\\left( x \\right]", 10, "括号不配对"},
        {"(x", 1, "括号没有配对"},
        {"x)", 2, ")"},
        {"a & b", 3, "&"},
        {"a \\\\ b", 3, "换行"},
        {"x_{i,j}", 5, ","},
        {"x^2^3", 4, "重复"},
        {"\\sqrt{}", 1, "没有内容"},
        {"()", 1, "没有内容"},
        {"\\lim x", 1, "\\lim"},
        {"\\lim_{x} x", 5, "\\to"},
        {"\\int x", 1, "积分变量"},
        {"\\int dx", 6, "被积函数"},
        {"\\sum", 1, "求和"},
        {"\\sin", 1, "自变量"},
        {"x\\mp y", 2, "∓"},
        {"\\begin{foo}x\\end{foo}", 1, "foo"},
        {"\\begin{matrix}1\\end{pmatrix}", 16, "不配对"},
        {"\\begin{aligned}x&=1\\end{aligned}", 1, "aligned"},
        {"\\text{a+b}", 8, "+"},
        {"\\frac{\\partial^2 z}{\\partial x^2}", 15, "高阶导数"},
        {"|x", 1, "|"},
        {"x\\", 2, "反斜杠"},
        {"$x$ and $y$", 3, "$"},
        {"", 1, "没有可以转换"},
        {"x\x01", 2, "字符"},
        {"\\begin{matrix}x", 1, "\\end"},
    };
    for (const Row& row : rows) {
        const LatexReading reading = readLatex(row.latex);
        EXPECT_FALSE(reading.ok()) << row.latex << " -> " << reading.markup;
        EXPECT_TRUE(reading.markup.empty()) << row.latex;
        EXPECT_EQ(reading.position, row.position) << row.latex << ": " << reading.message;
        EXPECT_NE(reading.message.find(row.message), std::string::npos)
            << row.latex << ": " << reading.message;
        EXPECT_NE(reading.message.find("第" + std::to_string(row.position) + "个字符"), std::string::npos)
            << reading.message;
    }
}

// What the reader makes must pass the checks; a construct the markup cannot hold is refused.
TEST(LatexReader, MarkupThatTheChecksRefuseIsRefused) {
    const LatexReading chain = readLatex("1" + repeat("+1", 1001));
    EXPECT_FALSE(chain.ok());
    EXPECT_NE(chain.message.find("运算的嵌套超过了1000层"), std::string::npos) << chain.message;
    EXPECT_TRUE(readLatex("1" + repeat("+1", 1000)).ok());
}

TEST(LatexReader, NestingAndLengthStayWithinTheLimits) {
    EXPECT_TRUE(readLatex(repeat("(", 1000) + "x" + repeat(")", 1000)).ok());
    EXPECT_TRUE(readLatex(repeat("\\left(", 1000) + "x" + repeat("\\right)", 1000)).ok());
    for (const std::string& deep :
         {repeat("(", 1001) + "x" + repeat(")", 1001), repeat("\\sqrt", 5000) + "x",
          repeat("\\frac{", 3000) + "x" + repeat("}{2}", 3000), repeat("-", 30000) + "x",
          "x" + repeat("!", 30000), repeat("\\sin ", 3000) + "x",
          repeat("|", 3000) + "x" + repeat("|", 3000)}) {
        const LatexReading reading = readLatex(deep);
        EXPECT_FALSE(reading.ok()) << deep.substr(0, 40);
        EXPECT_NE(reading.message.find("1000层"), std::string::npos) << reading.message;
    }
    // Braces read through nest nothing.
    EXPECT_EQ(readLatex(repeat("{", 20000) + "x" + repeat("}", 20000)).markup, "x");
    const LatexReading tooLong = readLatex(std::string(65537, 'x'));
    EXPECT_EQ(tooLong.message, "表达式的长度超过了65536个字节，请修改！");
    EXPECT_EQ(tooLong.position, 65537);
    const LatexReading wide = readLatex("\\begin{matrix}" + repeat("1\\\\", 100) + "1\\end{matrix}");
    EXPECT_NE(wide.message.find("超过了100"), std::string::npos) << wide.message;
}

TEST(LatexReader, LooksLikeLatex) {
    for (const char* text : {"\\frac{1}{2}", "x^{2}", "a_{1}", "$x$", " $x+1$ ", "\\,", "\\{a\\}", "\\alpha"})
        EXPECT_TRUE(looksLikeLatex(text)) << text;
    for (const char* text : {"x^2", "sum(i=0,n,x_ _i)", "cub(x,2)", "a/b", "$", "x_1", "", "面积=长×宽"})
        EXPECT_FALSE(looksLikeLatex(text)) << text;
}

} // namespace
} // namespace quorvel::expr

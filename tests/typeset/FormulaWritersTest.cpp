// The LaTeX and MathML writers: chosen forms for a table of formulas, escaping, refusals, and validity of
// every example of the editor checked by a real parser where the machine has one.
#include "typeset/LatexWriter.h"
#include "typeset/MathmlWriter.h"

#include "expr/Parser.h"
#ifdef QUORVEL_EDITOR_TABLES
#include "editor/core/EditorTables.h"
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvel::typeset {
namespace {

std::string latex(const std::string& markup) {
    const WrittenFormula written = markupToLatex(markup);
    EXPECT_TRUE(written.ok()) << markup;
    return written.text;
}

std::string mathml(const std::string& markup) {
    const WrittenFormula written = markupToMathml(markup);
    EXPECT_TRUE(written.ok()) << markup;
    return written.text;
}

// The content of the <math> element.
std::string mathmlBody(const std::string& markup) {
    const std::string text = mathml(markup);
    const std::size_t open = text.find('>');
    const std::size_t close = text.rfind("</math>");
    if (open == std::string::npos || close == std::string::npos) return text;
    return text.substr(open + 1, close - open - 1);
}

TEST(FormulaWriters, LatexForms) {
    struct Row {
        const char* markup;
        const char* expected;
    };
    const Row rows[] = {
        {"Y =A*cub(X,2)+B*X+C", "Y=AX^{2}+BX+C"},
        {"sum(i=0,n,x_ _i)", "\\sum_{i=0}^{n}x_{i}"},
        {"prod(i=0,n,x_ _i)", "\\prod_{i=0}^{n}x_{i}"},
        {"ing1(a;b,x,x)", "\\int_{b}^{a}x\\,\\mathrm{d}x"},
        {"lim(x,∞,f(x))", "\\lim_{x\\to \\infty}f\\left(x\\right)"},
        {"matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
         "\\begin{bmatrix}x_{11}&x_{12}\\\\x_{21}&x_{22}\\end{bmatrix}"},
        {"range(2,2,a;b;c;d)", "\\begin{vmatrix}a&b\\\\c&d\\end{vmatrix}"},
        {"lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
         "\\begin{cases}x+1, & x>0,\\ x<3\\\\x-1, & x>3,\\ x<5\\\\\\sqrt{x}, & x>6\\end{cases}"},
        {"f(x)=con(1,x,x>0)", "f\\left(x\\right)=x,\\quad x>0"},
        {"cub(sin(x),2)", "\\sin^{2}x"},
        {"cub(a+b,2)", "\\left(a+b\\right)^{2}"},
        {"cub(a/b,2)", "\\left(\\frac{a}{b}\\right)^{2}"},
        {"cub(x_1,2)", "{x_{1}}^{2}"},
        {"sin(x+1)", "\\sin\\left(x+1\\right)"},
        {"tg(x)", "\\operatorname{tg}x"},
        {"div((a+b),c)", "\\frac{a+b}{c}"},
        {"derive(y,x)", "\\frac{\\mathrm{d}y}{\\mathrm{d}x}"},
        {"pderive(y,x)", "\\frac{\\partial y}{\\partial x}"},
        {"ext(x,n)", "\\sqrt[{n}]{x}"},
        {"P(n,k)", "\\mathrm{P}_{n}^{k}"},
        {"tab(i,,x)", "{x}^{i}"},
        {"tab(,j,x)", "{x}_{j}"},
        {"log(a,b)", "\\log_{a}b"},
        {"α+β≤Ω", "\\alpha+\\beta\\le\\Omega"},
        {"a/b≈0.5", "\\frac{a}{b}\\approx0.5"},
        {"2*3", "2\\,3"},
        {"面积=长×宽", "\\text{面积}=\\text{长}\\times\\text{宽}"},
        // Operator trees typed in function form keep their meaning.
        {"muw(add(a,b),c)", "\\left(a+b\\right)c"},
        {"sub(a,sub(b,c))", "a-\\left(b-c\\right)"},
        {"add(a,mus(b))", "a+\\left(-b\\right)"},
        {"0<x<1", "0<x<1"},
        {"ing2(a,b,c)", "\\operatorname{ing2}\\left(a,b,c\\right)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(latex(row.markup), row.expected) << row.markup;
}

TEST(FormulaWriters, MathmlForms) {
    struct Row {
        const char* markup;
        const char* expected;
    };
    const Row rows[] = {
        {"a/b", "<mfrac><mi>a</mi><mi>b</mi></mfrac>"},
        {"x_ _12", "<msub><mi>x</mi><mn>12</mn></msub>"},
        {"x>=0", "<mrow><mi>x</mi><mo>≥</mo><mn>0</mn></mrow>"},
        {"a<b", "<mrow><mi>a</mi><mo>&lt;</mo><mi>b</mi></mrow>"},
        {"ext(x,3)", "<mroot><mi>x</mi><mn>3</mn></mroot>"},
        {"sin(x)", "<mrow><mi>sin</mi><mo>&#x2061;</mo><mi>x</mi></mrow>"},
        {"面积", "<mtext>面积</mtext>"},
        {"range(1,2,a;b)", "<mrow><mo fence=\"true\">|</mo><mtable><mtr><mtd><mi>a</mi></mtd><mtd><mi>b</mi>"
                           "</mtd></mtr></mtable><mo fence=\"true\">|</mo></mrow>"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(mathmlBody(row.markup), row.expected) << row.markup;
}

// A leaf may hold characters that mean something to LaTeX or XML; the checks let them through.
TEST(FormulaWriters, SpecialCharactersOfLeavesAreEscaped) {
    expr::ExprNode leaf("数#$%&{}~^\\<>\"'");
    EXPECT_EQ(toLatex(leaf),
              "\\text{数}\\#\\$\\%\\&\\{\\}\\sim\\text{\\textasciicircum}\\backslash<>\"{}^{\\prime}");
    EXPECT_EQ(toMathml(leaf), "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><mrow>"
                              "<mtext>数</mtext><mo>#</mo><mo>$</mo><mo>%</mo><mo>&amp;</mo><mo>{</mo>"
                              "<mo>}</mo><mo>~</mo><mo>^</mo><mo>\\</mo><mo>&lt;</mo><mo>&gt;</mo>"
                              "<mo>&quot;</mo><mo>&apos;</mo></mrow></math>");
    EXPECT_EQ(latex("x_a_b"), "x_{b}^{a}");
    EXPECT_EQ(latex("50%"), "50\\%");
}

TEST(FormulaWriters, RefusedMarkupGivesTheCheckMessages) {
    for (const char* markup : {"unit(i=1,n,x)", "sqrt()", "sin(x", "matrix(a,2,x)"}) {
        SCOPED_TRACE(markup);
        for (const WrittenFormula& written : {markupToLatex(markup), markupToMathml(markup)}) {
            EXPECT_FALSE(written.ok());
            EXPECT_TRUE(written.text.empty());
            EXPECT_FALSE(written.refusal.empty() || written.refusal.back().empty());
        }
    }
}

TEST(FormulaWriters, WideMatrixIsAnArray) {
    const std::string cells = "1;2;3;4;5;6;7;8;9;10;11";
    EXPECT_EQ(latex("matrix(1,11," + cells + ")"),
              "\\left[\\begin{array}{ccccccccccc}1&2&3&4&5&6&7&8&9&10&11\\end{array}\\right]");
}

TEST(FormulaWriters, LatexDocumentBringsCjkOnlyForChineseText) {
    EXPECT_EQ(latexDocument("x").find("CJK"), std::string::npos);
    const std::string chinese = latexDocument(latex("面积=1"));
    EXPECT_NE(chinese.find("\\usepackage{CJKutf8}"), std::string::npos);
    EXPECT_NE(chinese.find("\\text{面积}=1"), std::string::npos);
}

// Every construct the markup has, and every example and template of the editor that its checks accept.
std::vector<std::string> allFormulas() {
    std::vector<std::string> formulas = {
        "sqrt(x)",
        "abs(x-1)",
        "sin(x)",
        "cos(x+1)",
        "vec(AB)",
        "tg(x)",
        "-x",
        "+x",
        "±x",
        "ctg(x)",
        "arcsin(x)",
        "arccos(x)",
        "arctg(x)",
        "arcctg(x)",
        "sec(x)",
        "csc(x)",
        "sgn(x)",
        "sh(x)",
        "ch(x)",
        "th(x)",
        "exp(x)",
        "ln(x)",
        "lg(x)",
        "fac(n)",
        "(a+b)!",
        "f(x)",
        "f(x,y)",
        "f(x,y,z)",
        "pd(x>0)",
        "a+b",
        "cub(x,2)",
        "ind(10,x)",
        "a±b",
        "sup(a,b)",
        "suf(a,b)",
        "a<=b",
        "a>=b",
        "a<b",
        "a>b",
        "P(n,k)",
        "C(n,k)",
        "a=b",
        "a≠b",
        "a≡b",
        "a≈b",
        "x→0",
        "a/b",
        "a×b",
        "a·b",
        "a*b",
        "a-b",
        "50%",
        "ext(x,3)",
        "log(2,x)",
        "derive(y,x)",
        "pderive(y,x)",
        "derive(y,)",
        "AB⊥CD",
        "AB∥CD",
        "△ABC≌△DEF",
        "△ABC∽△DEF",
        "lak(2,x+y=1;x-y=3)",
        "con(2,x,x>0;x<1)",
        "ing1(1;0,x^2,x)",
        "ing2(a,b,c)",
        "tab(i,j,x)",
        "sum(k=1,n,k)",
        "matrix(2,3,1;2;3;4;5;6)",
        "range(2,2,a;b;c;d)",
        "prod(i=1,n,i)",
        "lim(x,0,sin(x)/x)",
        "(a)",
        "[a,b]",
        "{a}",
        "matrix(1,12,1;2;3;4;5;6;7;8;9;10;11;12)",
        "cub(cub(x,2),3)",
        "cub(ln(x),2)",
        "cub(x_a_b,2)",
        "cub(exp(x),2)",
        "cub(x,2)*y",
        "x_1^2",
        "∠A=90°",
        "2‰",
        "α+β+γ+δ+ε+ζ+η+θ+κ+λ+μ+ν+ρ+σ+τ+υ+φ+ψ+ω",
        "Α+Β+Γ+Δ+Λ+Π+Σ+Φ+Ψ+Ω+Χ",
        "∝+…+□+⊿",
        "面积=长×宽",
        "y=中文x",
        "x#1",
        "a~b",
        "a\\b",
        "$5",
        "a&b<c",
        "1+2=3",
        "sqrt(cub(x,2)+1)",
        "div(div(a,b),c)",
        "-(-a)",
        "a+-b",
        "sin(sin(x))",
        "sum(i=0,n,cub(x,i)/fac(i))",
    };
#ifdef QUORVEL_EDITOR_TABLES
    std::set<std::string> seen(formulas.begin(), formulas.end());
    const auto add = [&](const editor::Template& t) {
        for (const std::string_view text : {t.example.markup, t.text})
            if (!text.empty() && markupToLatex(text).ok() && seen.insert(std::string(text)).second)
                formulas.emplace_back(text);
    };
    for (const editor::KeypadButton& b : editor::keypadButtons()) {
        add(b.normal);
        if (b.shifted) add(*b.shifted);
    }
    for (const editor::PaletteGroupSpec& g : editor::paletteGroups())
        for (const editor::PaletteButton& b : g.buttons)
            add(b.insert);
    // Every example picture is among them.
    for (const editor::ExamplePicture& p : editor::examplePictures())
        EXPECT_TRUE(seen.count(std::string(p.markup)) == 1) << p.markup;
#endif
    return formulas;
}

std::filesystem::path scratchFolder(const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(FormulaWriters, EveryFormulaHasLatexThatKatexAccepts) {
    const std::string node = QUORVEL_NODE;
    const std::string katex = QUORVEL_KATEX;
    if (node.empty() || katex.empty()) GTEST_SKIP() << "KaTeX is not installed (scripts/deps.sh installs it)";
    const std::vector<std::string> formulas = allFormulas();
    const std::filesystem::path folder = scratchFolder("quorvel_katex");
    {
        std::ofstream in(folder / "in.txt", std::ios::binary);
        for (const std::string& markup : formulas)
            in << latex(markup) << '\n';
    }
    const std::string command = "'" + node + "' '" + QUORVEL_KATEX_CHECK + "' '" + katex + "' < '" +
                                (folder / "in.txt").string() + "' > '" + (folder / "out.txt").string() + "'";
    const int status = std::system(command.c_str());
    std::istringstream results(readFile(folder / "out.txt"));
    std::string line;
    std::size_t accepted = 0;
    for (const std::string& markup : formulas) {
        ASSERT_TRUE(std::getline(results, line)) << "no answer for " << markup;
        if (line == "ok")
            ++accepted;
        else
            ADD_FAILURE() << markup << " -> " << latex(markup) << ": " << line;
    }
    EXPECT_EQ(status, 0);
    std::filesystem::remove_all(folder);
    std::cout << "KaTeX accepted " << accepted << " of " << formulas.size() << " formulas\n";
}

// Without xmllint: every tag opened is closed in order, and text holds no bare "<" or "&".
bool balanced(const std::string& xml) {
    std::vector<std::string> open;
    for (std::size_t i = 0; i < xml.size(); ++i) {
        if (xml[i] == '&') {
            const std::size_t end = xml.find(';', i);
            if (end == std::string::npos || end - i > 10) return false;
            continue;
        }
        if (xml[i] != '<') continue;
        const std::size_t end = xml.find('>', i);
        if (end == std::string::npos) return false;
        std::string tag = xml.substr(i + 1, end - i - 1);
        i = end;
        if (tag.front() == '?') continue;
        if (tag.back() == '/') continue;
        if (tag.front() == '/') {
            if (open.empty() || open.back() != tag.substr(1)) return false;
            open.pop_back();
            continue;
        }
        open.push_back(tag.substr(0, tag.find(' ')));
    }
    return open.empty();
}

TEST(FormulaWriters, EveryFormulaHasWellFormedMathml) {
    const std::vector<std::string> formulas = allFormulas();
    for (const std::string& markup : formulas)
        EXPECT_TRUE(balanced(mathml(markup))) << markup << " -> " << mathml(markup);
    const std::string xmllint = QUORVEL_XMLLINT;
    if (xmllint.empty()) GTEST_SKIP() << "xmllint is not installed (scripts/deps.sh installs it)";
    const std::filesystem::path folder = scratchFolder("quorvel_mathml");
    std::string files;
    for (std::size_t i = 0; i < formulas.size(); ++i) {
        const std::filesystem::path file = folder / (std::to_string(i) + ".mml");
        std::ofstream(file, std::ios::binary) << mathmlDocument(mathml(formulas[i]));
        files += " '" + file.string() + "'";
    }
    const std::string command =
        "'" + xmllint + "' --noout" + files + " 2> '" + (folder / "err.txt").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << readFile(folder / "err.txt");
    std::filesystem::remove_all(folder);
    std::cout << "xmllint accepted " << formulas.size() << " formulas\n";
}

} // namespace
} // namespace quorvel::typeset

// LaTeX in against LaTeX out: for every example and template of the editor's keypad, the LaTeX the writer
// makes reads back as markup whose LaTeX is the same. The palette too, except the markups listed below.
#include "typeset/LatexWriter.h"

#include "editor/core/EditorTables.h"
#include "expr/LatexReader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quorvel::typeset {
namespace {

struct RoundTrip {
    std::string latex;  // what the writer makes of the markup
    std::string markup; // what the reader makes of that
    std::string again;  // what the writer makes of the reader's markup, or the reader's refusal
    bool holds() const { return again == latex; }
};

RoundTrip roundTrip(std::string_view markup) {
    RoundTrip trip;
    trip.latex = markupToLatex(markup).text;
    const expr::LatexReading reading = expr::readLatex(trip.latex);
    trip.markup = reading.markup;
    trip.again = reading.ok() ? markupToLatex(reading.markup).text : "refused: " + reading.message;
    return trip;
}

// Every markup a template or example inserts that the checks accept (the writer has LaTeX for it).
std::vector<std::string> written(const std::vector<const editor::Template*>& templates) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const editor::Template* t : templates)
        for (const std::string_view text : {t->example.markup, t->text})
            if (!text.empty() && markupToLatex(text).ok() && seen.insert(std::string(text)).second)
                out.emplace_back(text);
    return out;
}

TEST(LatexRoundTrip, EveryKeypadExampleAndTemplateReadsBack) {
    std::vector<const editor::Template*> templates;
    for (const editor::KeypadButton& b : editor::keypadButtons()) {
        templates.push_back(&b.normal);
        if (b.shifted) templates.push_back(&*b.shifted);
    }
    const std::vector<std::string> markups = written(templates);
    EXPECT_GE(markups.size(), 50U);
    for (const std::string& markup : markups) {
        const RoundTrip trip = roundTrip(markup);
        EXPECT_TRUE(trip.holds()) << markup << "\n  latex:  " << trip.latex << "\n  read:   " << trip.markup
                                  << "\n  again:  " << trip.again;
    }
}

// The palette's markups that do not read back, and why. Each must still fail, so the list stays current.
struct Exception {
    const char* markup;
    const char* reason;
};
const Exception kPaletteExceptions[] = {
    {"tab(i,j,x)", "a braced base with scripts reads as a power or a subscripted name, as MathType writes "
                   "{{x}^{2}} and {{x}_{1}}: tab, a label without value, has no LaTeX of its own"},
    {"tab(i,,x)", "as tab(i,j,x): {x}^{i} reads as the power cub(x,i)"},
    {"tab(,j,x)", "as tab(i,j,x): {x}_{j} reads as the name x_ _j"},
    {"*", "the invisible product alone is written as no LaTeX at all"},
    {"<>", "two relation signs without operands are no formula to read"},
};

TEST(LatexRoundTrip, EveryPaletteTemplateReadsBackExceptTheListed) {
    std::vector<const editor::Template*> templates;
    for (const editor::PaletteGroupSpec& g : editor::paletteGroups())
        for (const editor::PaletteButton& b : g.buttons)
            templates.push_back(&b.insert);
    const std::vector<std::string> markups = written(templates);
    EXPECT_GE(markups.size(), 100U);
    std::set<std::string> excepted;
    for (const Exception& e : kPaletteExceptions)
        excepted.insert(e.markup);
    for (const std::string& markup : markups) {
        const RoundTrip trip = roundTrip(markup);
        if (excepted.count(markup)) {
            EXPECT_FALSE(trip.holds()) << markup << " reads back now: take it off the list";
            continue;
        }
        EXPECT_TRUE(trip.holds()) << markup << "\n  latex:  " << trip.latex << "\n  read:   " << trip.markup
                                  << "\n  again:  " << trip.again;
    }
}

// The constructs of the writer's own table (tests/typeset/FormulaWritersTest.cpp) beyond the editor's.
TEST(LatexRoundTrip, WriterFormsReadBack) {
    for (const char* markup : {"abs(x-1)",
                               "cos(x+1)",
                               "-x",
                               "+x",
                               "±x",
                               "sec(x)",
                               "csc(x)",
                               "(a+b)!",
                               "f(x,y,z)",
                               "pd(x>0)",
                               "a±b",
                               "sup(a,b)",
                               "suf(a,b)",
                               "a≡b",
                               "x→0",
                               "a×b",
                               "a·b",
                               "50%",
                               "a%b",
                               "log(2,x)",
                               "derive(y,)",
                               "AB⊥CD",
                               "△ABC≌△DEF",
                               "△ABC∽△DEF",
                               "con(2,x,x>0;x<1)",
                               "ing2(a,b,c)",
                               "sum(k=1,n,k)",
                               "matrix(2,3,1;2;3;4;5;6)",
                               "lim(x,0,sin(x)/x)",
                               "(a)",
                               "[a,b]",
                               "{a}",
                               "matrix(1,12,1;2;3;4;5;6;7;8;9;10;11;12)",
                               "range(1,12,1;2;3;4;5;6;7;8;9;10;11;12)",
                               "cub(cub(x,2),3)",
                               "cub(ln(x),2)",
                               "cub(exp(x),2)",
                               "cub(x,2)*y",
                               "cub(x_1,2)",
                               "cub(a/b,2)",
                               "cub(-x,2)",
                               "∠A=90°",
                               "2‰",
                               "α+β+γ+δ+ε+ζ+η+θ+κ+λ+μ+ν+ρ+σ+τ+υ+φ+ψ+ω",
                               "Α+Β+Γ+Δ+Λ+Π+Σ+Φ+Ψ+Ω+Χ",
                               "∝+…+□+⊿",
                               "面积=长×宽",
                               "y=中文x",
                               "x#1",
                               "$5",
                               "a&b<c",
                               "sqrt(cub(x,2)+1)",
                               "div(div(a,b),c)",
                               "-(-a)",
                               "sin(sin(x))",
                               "sum(i=0,n,cub(x,i)/fac(i))",
                               "muw(add(a,b),c)",
                               "sub(a,sub(b,c))",
                               "add(a,mus(b))",
                               "0<x<1",
                               "2*3",
                               "div((a+b),c)",
                               "sin(x+1)",
                               "x=con(2,1,y;z)",
                               "ing1(a;b,x+1,x)",
                               "sum(i=1,n,-x)",
                               "abs(-x)",
                               "x′′",
                               "f′*(x)",
                               "lak(2,x;con(1,y,x>0))"}) {
        const RoundTrip trip = roundTrip(markup);
        EXPECT_TRUE(trip.holds()) << markup << "\n  latex:  " << trip.latex << "\n  read:   " << trip.markup
                                  << "\n  again:  " << trip.again;
    }
}

} // namespace
} // namespace quorvel::typeset

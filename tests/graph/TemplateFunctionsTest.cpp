#include "graph/Templates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel::graph {
namespace {

struct Expected {
    const char* button;
    const char* name;
    const char* expression;
    int paramCount;
    const char* a;
    const char* b;
    const char* c;
};

// The bar from top to bottom: names, expressions (blanks as designed), parameters and dialog texts.
const Expected kBar[] = {
    {"SpeedButton1", "正比例函数", "Y=A*X+B", 2, "1", "0", "0"},
    {"SpeedButton2", "反比例函数", "Y =A/X+B", 2, "1", "0", "0"},
    {"SpeedButton3", "二次函数", "Y =A*cub(X,2)+B*X+C", 3, "1", "0", "-1"},
    {"SpeedButton4", "幂函数", "Y=cub(X,A)", 1, "0.5", "0", "0"},
    {"SpeedButton5", "指数函数", "Y=ind(A,X)", 1, "2", "0", "0"},
    {"SpeedButton6", "对数函数", "Y=log(A,X)", 1, "2", "0", "0"},
    {"SpeedButton7", "正弦函数", "Y=A*sin(B*X+C)", 3, "1", "1", "0"},
    {"SpeedButton8", "余弦函数", "Y=A*cos(B*X+C)", 3, "1", "1", "0"},
    {"SpeedButton9", "正切函数", "Y=A*tg(B*X+C)", 3, "1", "1", "0"},
    {"SpeedButton10", "余切函数", "Y=A*ctg(B*X+C)", 3, "1", "1", "0"},
    {"SpeedButton11", "反正弦函数", "Y=arcsin(X)", 0, "0", "0", "0"},
    {"SpeedButton16", "反余弦函数", "Y=arccos(X)", 0, "0", "0", "0"},
    {"SpeedButton15", "反正切函数", "Y=arctg(X)", 0, "0", "0", "0"},
    {"SpeedButton14", "反余切函数", "Y=arcctg(X)", 0, "0", "0", "0"},
};

TEST(TemplateFunctions, FourteenInBarOrderWithTheirFormulasAndStartValues) {
    const auto all = templateFunctions();
    ASSERT_EQ(all.size(), std::size(kBar));
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(kBar[i].button);
        EXPECT_EQ(all[i].buttonName, kBar[i].button);
        EXPECT_EQ(all[i].caption, kBar[i].name);
        EXPECT_EQ(all[i].name, kBar[i].name);
        EXPECT_EQ(all[i].expression, kBar[i].expression);
        EXPECT_EQ(all[i].paramCount, kBar[i].paramCount);

        const TemplateDialogFill fill = dialogFillFor(all[i]);
        EXPECT_EQ(fill.name, kBar[i].name);
        EXPECT_EQ(fill.paramTexts[0], kBar[i].a);
        EXPECT_EQ(fill.paramTexts[1], kBar[i].b);
        EXPECT_EQ(fill.paramTexts[2], kBar[i].c);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(fill.rowVisible[static_cast<std::size_t>(row)], row < kBar[i].paramCount)
                << "row " << row;
    }
}

TEST(TemplateFunctions, ButtonsAreFoundByNameAndTheOtherBarButtonsMakeNoTemplate) {
    std::set<std::string_view> names;
    for (const TemplateFunction& t : templateFunctions()) {
        EXPECT_EQ(findTemplate(t.buttonName), &t);
        names.insert(t.buttonName);
    }
    EXPECT_EQ(names.size(), 14u);
    EXPECT_EQ(findTemplate("SpeedButton13"), nullptr); // custom function
    EXPECT_EQ(findTemplate("SpeedButton17"), nullptr); // annotation
    EXPECT_EQ(findTemplate("SpeedButton12"), nullptr);
    EXPECT_EQ(findTemplate(""), nullptr);
}

} // namespace
} // namespace quorvel::graph

#include "editor/core/EditorTables.h"
#include "editor/core/Insertion.h"

#include "base/MessageSink.h"
#include "base/Utf8Text.h"
#include "expr/Parser.h"
#include "expr/Validation.h"
#include "expr/ValueChecks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace quorvel::editor {
namespace {

// The template inserted into empty input, the selection shown as «…» and a bare caret as ¦.
std::string marked(const Template& entry) {
    const EditState after = applyTemplate({}, entry);
    const std::u32string& t = after.text;
    const auto from = static_cast<std::size_t>(after.selectionStart());
    const auto to = static_cast<std::size_t>(after.selectionEnd());
    if (from == to) return toUtf8(t.substr(0, from)) + "¦" + toUtf8(t.substr(from));
    return toUtf8(t.substr(0, from)) + "«" + toUtf8(t.substr(from, to - from)) + "»" + toUtf8(t.substr(to));
}

bool passes(std::string_view markup) {
    RecordingSink sink;
    return expr::validate(sink, expr::stripBlanks(markup), true);
}

bool inserts(ButtonAction a) {
    return a == ButtonAction::Insert || a == ButtonAction::Matrix || a == ButtonAction::Determinant;
}

// Where each keypad template leaves caret and selection: the first placeholder selected, a bracket pair
// with the caret inside. Buttons that insert one character leave the caret behind it and are not listed.
TEST(KeypadTable, EveryTemplateSelectsItsFirstPlaceholder) {
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"sin(x)", {"sin(«x»)", "arcsin(«x»)"}},
        {"cos(x)", {"cos(«x»)", "arccos(«x»)"}},
        {"tg(x)", {"tg(«x»)", "arctg(«x»)"}},
        {"ctg(x)", {"ctg(«x»)", "arcctg(«x»)"}},
        {"|x|", {"abs(«x»)", "{¦}"}},
        {"n次方根", {"ext(«x»,n)", "cub(«x»,n)"}},
        {"平方根", {"sqrt(«x»)", "cub(«x»,2)"}},
        {"幂指数", {"exp(«x»)", "ln(«x»)"}},
        {"指数", {"ind(«a»,x)", "log(«a»,b)"}},
        {"以10为底的指数", {"ind(10,«x»)", "lg(«x»)"}},
        {"∫", {"ing1(«a»;b,x,x)", ""}},
        {"lim", {"lim(«x»,∞,f(x))", ""}},
        {"向量", {"vec(«AB»)", ""}},
        {"Σ", {"sum(«i»=0,n,x_ _i)", "prod(«i»=0,n,x_ _i)"}},
        {"dy/dx", {"derive(«y»,x)", "pderive(«y»,x)"}},
        {"条件表达式", {"f(x)=con(«1»,x,x>0)", ""}},
        {"分段函数", {"lak(«3»,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))", ""}},
        {"方程组", {"lak(«3»,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)", ""}},
        {"矩 阵", {"matrix(¦)", ""}},
        {"行列式", {"range(¦)", ""}},
        {"7", {"7¦", "!¦"}},
        {"8", {"8¦", "P(«n»,k)"}},
        {"9", {"9¦", "C(«n»,k)"}},
        {"( )", {"(¦)", "[¦]"}},
        {"%", {"%¦", "‰¦"}},
        {"⊥", {"⊥¦", "∥¦"}},
        {"≌", {"≌¦", "∽¦"}},
    };
    int checked = 0;
    for (const KeypadButton& b : keypadButtons()) {
        if (!inserts(b.action)) continue;
        const std::string caption(b.caption);
        const auto row = expected.find(caption);
        if (row == expected.end()) {
            EXPECT_EQ(marked(b.normal), std::string(b.normal.text) + "¦") << caption;
            EXPECT_EQ(b.normal.text, b.caption);
            EXPECT_FALSE(b.shifted) << caption;
            continue;
        }
        ++checked;
        EXPECT_EQ(marked(b.normal), row->second.first) << caption;
        EXPECT_EQ(b.shifted ? marked(*b.shifted) : "", row->second.second) << caption;
        if (b.shifted) { // tooltips name both templates
            EXPECT_NE(b.hint.find(b.normal.text), std::string_view::npos) << caption;
            EXPECT_NE(b.hint.find(b.shifted->text), std::string_view::npos) << caption;
        }
    }
    EXPECT_EQ(checked, static_cast<int>(expected.size()));
}

TEST(KeypadTable, KeysOpenersNamesAndPlaces) {
    std::map<std::string, ButtonAction> keys;
    std::map<std::string, PaletteGroup> openers;
    std::map<std::string, std::string> unplottable; // object name -> caption
    std::set<std::tuple<int, int, int>> places;
    std::set<std::string> names, digits;
    for (const KeypadButton& b : keypadButtons()) {
        const std::string caption(b.caption);
        if (b.action == ButtonAction::OpenGroup) openers[caption] = b.group;
        if (b.panel == 0)
            keys[std::string(b.objectName) + " " + caption + " " + std::string(b.hint)] = b.action;
        if (!b.plottable) unplottable[std::string(b.objectName)] = caption;
        if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9') digits.insert(caption);
        EXPECT_TRUE(places.insert({b.panel, b.row, b.column}).second)
            << "two buttons at the place of " << caption;
        EXPECT_TRUE(b.panel >= 0 && b.panel <= 2 && b.row >= 0 && b.column >= 0 && b.column < 8) << caption;
        if (!b.objectName.empty()) {
            EXPECT_TRUE(names.insert(std::string(b.objectName)).second) << caption;
        }
    }
    EXPECT_EQ(digits.size(), 10u);
    const std::map<std::string, ButtonAction> expectedKeys = {
        {"SpeedButton45 Shift 功能切换", ButtonAction::Shift},
        {"SpeedButton44 ← 左移", ButtonAction::Left},
        {"SpeedButton41 → 右移", ButtonAction::Right},
        {"SpeedButton37 ↙ 退格", ButtonAction::Backspace},
        {"SpeedButton30 Clear 清空", ButtonAction::Clear},
    };
    EXPECT_EQ(keys, expectedKeys);
    const std::map<std::string, PaletteGroup> expectedOpeners = {
        {"sec(x)", PaletteGroup::sec},  {"×", PaletteGroup::chenghao},   {">", PaletteGroup::dayu},
        {"x", PaletteGroup::teshuzimu}, {"±", PaletteGroup::teshufuhao}, {"上下标", PaletteGroup::biaohao},
    };
    EXPECT_EQ(openers, expectedOpeners);
    // Exactly the buttons switched off while a curve or calculation is edited.
    const std::map<std::string, std::string> expectedUnplottable = {
        {"SpeedButton46", "Σ"},          {"SpeedButton47", "行列式"}, {"SpeedButton48", "矩 阵"},
        {"SpeedButton49", "lim"},        {"SpeedButton50", "⊥"},      {"SpeedButton51", "≌"},
        {"SpeedButton52", "%"},          {"SpeedButton53", "dy/dx"},  {"SpeedButton54", "∫"},
        {"SpeedButton55", "条件表达式"}, {"SpeedButton56", "向量"},   {"SpeedButton72", "上下标"},
        {"SpeedButton77", "分段函数"},   {"SpeedButton78", "方程组"}, {"SpeedButton79", "±"},
    };
    EXPECT_EQ(unplottable, expectedUnplottable);
    EXPECT_EQ(names.size(), 20u) << "only the editing keys and the fifteen above have design names";
}

// Caret and selection after each palette template, as the Left presses and the one-character selection
// give them. Symbols and inactive buttons are not listed.
TEST(PaletteTable, EveryTemplatePlacesTheCaretAsTabled) {
    const std::map<std::string, std::string> expected = {
        {"向量", "vec(AB¦)"},
        {"小括号", "(¦)"},
        {"中括号", "[¦]"},
        {"大括号", "{¦}"},
        {"绝对值", "abs(¦)"},
        {"n次方", "cub(x¦,n)"},
        {"n次方根", "ext(x¦,n)"},
        {"平方根", "sqrt(x¦)"},
        {"上下标", "tab(«i»,j,x)"},
        {"上标", "tab(«i»,,x)"},
        {"下标", "tab(,«j»,x)"},
        {"正弦函数", "sin(x¦)"},
        {"余弦函数", "cos(x¦)"},
        {"正切函数", "tg(x¦)"},
        {"余切函数", "ctg(x¦)"},
        {"反正弦函数", "arcsin(x¦)"},
        {"反余弦函数", "arccos(x¦)"},
        {"反正切函数", "arctg(x¦)"},
        {"反余切函数", "arcctg(x¦)"},
        {"正割", "sec(«x»)"},
        {"余割", "csc(«x»)"},
        {"符号函数", "sgn(«x»)"},
        {"双曲正弦", "sh(«x»)"},
        {"双曲余弦", "ch(«x»)"},
        {"双曲正切", "th(«x»)"},
        {"以10为底的对数", "lg(x¦)"},
        {"以e为底的对数", "ln(x¦)"},
        {"以a为底的对数", "log(a¦,b)"},
        {"极限", "lim(x,¦∞,f(x))"},
        {"求和", "sum(i=0¦,n,x_ _i)"},
        {"求积", "prod(i=0¦,n,x_ _i)"},
        {"矩阵", "matrix(¦)"},
        {"行列式", "range(¦)"},
        {"幂指数", "exp(x¦)"},
        {"指数", "ind(a,x¦)"},
        {"导数", "derive(y¦,x)"},
        {"偏导数", "pderive(y¦,x)"},
        {"积分", "ing1(a;b¦,x,x)"},
        {"含有条件的多函数", "lak(3,con(2,x+1,x>0;x<3)¦;con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))"},
        {"有条件的单个函数", "f(x)=con(¦1,x,x>0)"},
        {"有序列", "<¦>"},
        {"排列", "P(n¦,k)"},
        {"组合", "C(n¦,k)"},
    };
    std::set<std::string> seen;
    for (const PaletteGroupSpec& g : paletteGroups())
        for (const PaletteButton& b : g.buttons) {
            if (!inserts(b.action)) continue;
            const std::string hint(b.hint);
            const auto row = expected.find(hint);
            if (b.insert.caretBack == 0) {
                EXPECT_EQ(row, expected.end()) << hint << " is a template, not a symbol";
                EXPECT_EQ(b.insert.selectLength, 0);
                EXPECT_FALSE(b.insert.example.present()) << b.caption;
                continue;
            }
            ASSERT_NE(row, expected.end()) << g.name << " " << hint;
            EXPECT_EQ(marked(b.insert), row->second) << g.name << " " << hint;
            seen.insert(hint);
        }
    EXPECT_EQ(seen.size(), expected.size());
}

TEST(PaletteTable, GroupsAndSharedButtons) {
    ASSERT_EQ(paletteGroups().size(), static_cast<std::size_t>(kPaletteGroupCount));
    std::set<std::string_view> names;
    for (int i = 0; i < kPaletteGroupCount; ++i) {
        const PaletteGroupSpec& g = paletteGroup(static_cast<PaletteGroup>(i));
        EXPECT_EQ(g.group, static_cast<PaletteGroup>(i));
        EXPECT_TRUE(names.insert(g.name).second);
        EXPECT_FALSE(g.buttons.empty());
        EXPECT_GT(g.columns, 0);
    }
    // The keypad's groups repeat buttons of others: the same rows, not copies that could drift apart.
    const auto& sanjiao = paletteGroup(PaletteGroup::sanjiao).buttons;
    const auto& denghao = paletteGroup(PaletteGroup::denghao).buttons;
    EXPECT_EQ(paletteGroup(PaletteGroup::sec).buttons.data(), sanjiao.data() + 8);
    EXPECT_EQ(paletteGroup(PaletteGroup::dayu).buttons.data(), denghao.data() + 1);
    EXPECT_EQ(denghao[0].insert.text, "=");
    std::map<std::string_view, const PaletteButton*> elsewhere;
    for (PaletteGroup g : {PaletteGroup::putongyunsuan, PaletteGroup::fuhao1, PaletteGroup::fuhao2})
        for (const PaletteButton& b : paletteGroup(g).buttons)
            elsewhere[b.insert.text] = &b;
    for (PaletteGroup g : {PaletteGroup::chenghao, PaletteGroup::teshufuhao, PaletteGroup::teshuzimu})
        for (const PaletteButton& b : paletteGroup(g).buttons) {
            const auto other = elsewhere.find(b.insert.text);
            if (other == elsewhere.end()) continue; // x, y, f(x), f(x,y) are teshuzimu's own
            EXPECT_EQ(b.caption, other->second->caption) << b.insert.text;
            EXPECT_EQ(b.hint, other->second->hint) << b.insert.text;
        }
    EXPECT_EQ(paletteGroup(PaletteGroup::denghao).openerHint, "对等关系运算类");
    EXPECT_EQ(paletteGroup(PaletteGroup::jihe).openerHint, "集合");
    EXPECT_TRUE(paletteGroup(PaletteGroup::teshuzimu).openerHint.empty()) << "opened from the keypad only";
}

TEST(PaletteTable, InactiveAndUnplottableButtons) {
    std::set<std::string> inactive;
    for (const PaletteGroupSpec& g : paletteGroups())
        for (const PaletteButton& b : g.buttons)
            if (b.action == ButtonAction::Inactive)
                inactive.insert(std::string(g.name) + " " + std::string(b.hint));
    const std::set<std::string> expected = {
        "jihe 空集",   "jihe 属于",           "jihe 不属于",         "jihe 并",   "jihe 交",
        "jihe 包含于", "jihe 包含",           "jihe 被掩于",         "jihe 掩盖", "jihe 不包含于",
        "jihe 补集",   "jihe 任意",           "jihe 存在",           "jihe 省略", "jihe 并集",
        "jihe 交集",   "kuohao 右半开放区间", "kuohao 左半开放区间",
    };
    EXPECT_EQ(inactive, expected);
    // The four templates kept on inactive buttons are refused by the checks; once the engine reads
    // them, this fails and the buttons can be made active.
    for (const PaletteGroupSpec& g : paletteGroups())
        for (const PaletteButton& b : g.buttons)
            if (b.action == ButtonAction::Inactive && !b.insert.text.empty()) {
                EXPECT_FALSE(passes(b.insert.text)) << b.insert.text;
            }

    std::set<std::string_view> unplottableGroups;
    for (const PaletteGroupSpec& g : paletteGroups()) {
        if (!g.plottable) unplottableGroups.insert(g.name);
        for (const PaletteButton& b : g.buttons)
            EXPECT_EQ(b.plottable, b.hint != "极限") << g.name << " " << b.hint;
    }
    EXPECT_EQ(unplottableGroups, (std::set<std::string_view>{"heji", "juzhen", "daoshu", "biaohao", "jihe"}));
}

// Every template that can be inserted is inside itself: the caret and the selection never reach into
// the text around it. Each passes the checks, except the bracket pairs whose empty pair the checks
// refuse on purpose (the caret waits inside for the content); filled with "1" those pass too, and
// matrix() and range() get their dimensions from the dialog, whose result the examples show.
TEST(EditorTables, EveryTemplateStaysInsideAndValidates) {
    std::vector<const Template*> all;
    for (const KeypadButton& b : keypadButtons()) {
        if (!inserts(b.action)) continue;
        all.push_back(&b.normal);
        if (b.shifted) all.push_back(&*b.shifted);
    }
    for (const PaletteGroupSpec& g : paletteGroups())
        for (const PaletteButton& b : g.buttons)
            if (inserts(b.action)) all.push_back(&b.insert);
    const std::set<std::string_view> pairs = {"()", "[]", "{}", "abs()", "matrix()", "range()"};
    for (const Template* t : all) {
        const EditState around = applyTemplate({toCodePoints("abcd"), 2, 2}, *t);
        const int length = static_cast<int>(toCodePoints(t->text).size());
        EXPECT_GT(length, 0);
        EXPECT_GE(around.selectionStart(), 2) << t->text;
        EXPECT_LE(around.selectionEnd(), 2 + length) << t->text;
        if (!pairs.count(t->text)) {
            EXPECT_TRUE(passes(t->text)) << t->text;
        } else if (t->text != "matrix()" && t->text != "range()") {
            const EditState filled = applyTemplate(applyTemplate({}, *t), {"1", 0, 0, {}});
            EXPECT_TRUE(passes(toUtf8(filled.text))) << t->text;
        }
    }
}

TEST(EditorTables, ExamplePicturesAreComplete) {
    std::map<std::string_view, std::string_view> pictures;
    for (const ExamplePicture& p : examplePictures()) {
        EXPECT_TRUE(pictures.emplace(p.picture, p.markup).second) << p.picture << " twice";
        EXPECT_TRUE(passes(p.markup)) << p.picture << ": " << p.markup;
        // An example is complete: a value road finds no empty operand in it either.
        EXPECT_FALSE(expr::findEmptyOperand(expr::stripBlanks(p.markup))) << p.picture;
        EXPECT_TRUE(p.picture.ends_with(".bmp")) << p.picture;
    }
    const std::set<std::string_view> expected = {
        "kaifang.bmp",   "cifangyunsuan.bmp", "kaipingfanggen.bmp",
        "ln.bmp",        "log.bmp",           "lg.bmp",
        "jifen.bmp",     "lim.bmp",           "xiangliang.bmp",
        "qiuhe.bmp",     "qiuji.bmp",         "daoshu2.bmp",
        "daoshu1.bmp",   "danhang.bmp",       "youtiaojian.bmp",
        "juzhen.bmp",    "hanglieshi.bmp",    "shangxiabiao.bmp",
        "shangbiao.bmp", "xiabiao.bmp",
    };
    std::set<std::string_view> names;
    for (const auto& [name, markup] : pictures)
        names.insert(name);
    EXPECT_EQ(names, expected);

    // A button's example shows what it inserts (matrices and determinants show a filled one), and the
    // same picture always belongs to the same markup.
    const auto check = [&](const Template& t, ButtonAction action) {
        if (!t.example.present()) return;
        if (action == ButtonAction::Insert) {
            EXPECT_EQ(t.example.markup, t.text);
        }
        if (t.example.picture.empty()) return;
        EXPECT_EQ(pictures[t.example.picture], t.example.markup) << t.example.picture;
    };
    for (const KeypadButton& b : keypadButtons()) {
        check(b.normal, b.action);
        if (b.shifted) check(*b.shifted, b.action);
    }
    for (const PaletteGroupSpec& g : paletteGroups())
        for (const PaletteButton& b : g.buttons)
            if (b.action != ButtonAction::Inactive) check(b.insert, b.action);
}

} // namespace
} // namespace quorvel::editor

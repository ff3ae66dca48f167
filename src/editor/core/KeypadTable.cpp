// The editor's keypad: the editing keys, the two template panels and the six palette openers.
#include "editor/core/EditorTables.h"

#include "base/UiText.h"

#include <stdexcept>

namespace quorvel::editor {

namespace {

constexpr int codePoints(std::string_view text) {
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

// The keypad selects the first placeholder so that typing replaces it: the caret goes to the first
// occurrence of `placeholder` after the first "(" and the placeholder is selected.
constexpr Template selecting(std::string_view text, std::string_view placeholder, Example example = {}) {
    const std::size_t at = text.find(placeholder, text.find('('));
    if (at == std::string_view::npos) throw std::logic_error("placeholder not in template");
    return {text, codePoints(text) - codePoints(text.substr(0, at)), codePoints(placeholder), example};
}

// A bracket pair: the caret stands between the brackets.
constexpr Template between(std::string_view text, Example example = {}) {
    return {text, 1, 0, example};
}

constexpr Template plain(std::string_view text) {
    return {text, 0, 0, {}};
}

constexpr KeypadButton key(std::string_view objectName, std::string_view caption, std::string_view hint,
                           ButtonAction action, int column) {
    KeypadButton b;
    b.objectName = objectName;
    b.caption = caption;
    b.hint = hint;
    b.action = action;
    b.panel = 0;
    b.column = column;
    return b;
}

struct Place {
    int panel, row, column;
};

constexpr KeypadButton insert(std::string_view caption, std::string_view hint, Template normal,
                              std::optional<Template> shifted, Place place, std::string_view objectName = {},
                              ButtonAction action = ButtonAction::Insert) {
    KeypadButton b;
    b.objectName = objectName;
    b.caption = caption;
    b.hint = hint;
    b.action = action;
    b.normal = normal;
    b.shifted = shifted;
    // Only the buttons with a design name are switched off while a curve or calculation is edited.
    b.plottable = objectName.empty();
    b.panel = place.panel;
    b.row = place.row;
    b.column = place.column;
    return b;
}

constexpr KeypadButton opener(std::string_view caption, std::string_view hint, PaletteGroup group,
                              Place place, std::string_view objectName = {}) {
    KeypadButton b = insert(caption, hint, {}, std::nullopt, place, objectName, ButtonAction::OpenGroup);
    b.group = group;
    return b;
}

constexpr std::nullopt_t same = std::nullopt;

// Panel 1: functions and constructs; panel 2: digits and operators. Six columns each. Tooltips name both
// templates where Shift changes what a button inserts.
constexpr KeypadButton kKeypad[] = {
    key("SpeedButton45", "Shift", UI_TEXT("功能切换"), ButtonAction::Shift, 0),
    key("SpeedButton44", "←", UI_TEXT("左移"), ButtonAction::Left, 1),
    key("SpeedButton41", "→", UI_TEXT("右移"), ButtonAction::Right, 2),
    key("SpeedButton37", "↙", UI_TEXT("退格"), ButtonAction::Backspace, 3),
    key("SpeedButton30", "Clear", UI_TEXT("清空"), ButtonAction::Clear, 4),

    insert("sin(x)", UI_TEXT("sin(x)；Shift：arcsin(x)"), selecting("sin(x)", "x"),
           selecting("arcsin(x)", "x"), {1, 0, 0}),
    insert("cos(x)", UI_TEXT("cos(x)；Shift：arccos(x)"), selecting("cos(x)", "x"),
           selecting("arccos(x)", "x"), {1, 0, 1}),
    insert("tg(x)", UI_TEXT("tg(x)；Shift：arctg(x)"), selecting("tg(x)", "x"), selecting("arctg(x)", "x"),
           {1, 0, 2}),
    insert("ctg(x)", UI_TEXT("ctg(x)；Shift：arcctg(x)"), selecting("ctg(x)", "x"),
           selecting("arcctg(x)", "x"), {1, 0, 3}),
    opener("sec(x)", UI_TEXT("正割"), PaletteGroup::sec, {1, 0, 4}),
    insert("|x|", UI_TEXT("绝对值：abs(x)；Shift：{}"), selecting("abs(x)", "x"), between("{}"), {1, 0, 5}),

    insert(UI_TEXT("n次方根"), UI_TEXT("n次方根：ext(x,n)；Shift：cub(x,n)"),
           selecting("ext(x,n)", "x", examples::kaifang), selecting("cub(x,n)", "x", examples::cifangyunsuan),
           {1, 1, 0}),
    insert(UI_TEXT("平方根"), UI_TEXT("平方根：sqrt(x)；Shift：cub(x,2)"),
           selecting("sqrt(x)", "x", examples::kaipingfanggen), selecting("cub(x,2)", "x"), {1, 1, 1}),
    insert(UI_TEXT("幂指数"), UI_TEXT("幂指数：exp(x)；Shift：ln(x)"), selecting("exp(x)", "x"),
           selecting("ln(x)", "x", examples::ln), {1, 1, 2}),
    insert(UI_TEXT("指数"), UI_TEXT("指数：ind(a,x)；Shift：log(a,b)"), selecting("ind(a,x)", "a"),
           selecting("log(a,b)", "a", examples::log), {1, 1, 3}),
    insert(UI_TEXT("以10为底的指数"), UI_TEXT("以10为底的指数：ind(10,x)；Shift：lg(x)"),
           selecting("ind(10,x)", "x"), selecting("lg(x)", "x", examples::lg), {1, 1, 4}),
    opener(UI_TEXT("上下标"), UI_TEXT("上下标"), PaletteGroup::biaohao, {1, 1, 5}, "SpeedButton72"),

    insert("∫", UI_TEXT("积分：ing1(a;b,x,x)"), selecting("ing1(a;b,x,x)", "a", examples::jifen), same,
           {1, 2, 0}, "SpeedButton54"),
    insert("lim", UI_TEXT("极限：lim(x,∞,f(x))"), selecting("lim(x,∞,f(x))", "x", examples::lim), same,
           {1, 2, 1}, "SpeedButton49"),
    insert(UI_TEXT("向量"), UI_TEXT("向量：vec(AB)"), selecting("vec(AB)", "AB", examples::xiangliang), same,
           {1, 2, 2}, "SpeedButton56"),
    insert("Σ", UI_TEXT("求和：sum(i=0,n,x_ _i)；Shift：prod(i=0,n,x_ _i)"),
           selecting("sum(i=0,n,x_ _i)", "i", examples::qiuhe),
           selecting("prod(i=0,n,x_ _i)", "i", examples::qiuji), {1, 2, 3}, "SpeedButton46"),
    insert("dy/dx", UI_TEXT("导数：derive(y,x)；Shift：pderive(y,x)"),
           selecting("derive(y,x)", "y", examples::daoshu2),
           selecting("pderive(y,x)", "y", examples::daoshu1), {1, 2, 4}, "SpeedButton53"),
    opener("x", UI_TEXT("特殊字母"), PaletteGroup::teshuzimu, {1, 2, 5}),

    insert(UI_TEXT("条件表达式"), UI_TEXT("条件表达式：f(x)=con(1,x,x>0)"),
           selecting("f(x)=con(1,x,x>0)", "1", examples::danhang), same, {1, 3, 0}, "SpeedButton55"),
    insert(UI_TEXT("分段函数"), UI_TEXT("分段函数"),
           selecting(examples::youtiaojian.markup, "3", examples::youtiaojian), same, {1, 3, 1},
           "SpeedButton77"),
    insert(UI_TEXT("方程组"), UI_TEXT("方程组"),
           selecting(examples::fangchengzu.markup, "3", examples::fangchengzu), same, {1, 3, 2},
           "SpeedButton78"),
    insert(UI_TEXT("矩 阵"), UI_TEXT("矩阵：matrix()"), between("matrix()", examples::juzhen), same,
           {1, 3, 3}, "SpeedButton48", ButtonAction::Matrix),
    insert(UI_TEXT("行列式"), UI_TEXT("行列式：range()"), between("range()", examples::hanglieshi), same,
           {1, 3, 4}, "SpeedButton47", ButtonAction::Determinant),
    opener("±", UI_TEXT("特殊符号"), PaletteGroup::teshufuhao, {1, 3, 5}, "SpeedButton79"),

    insert("7", UI_TEXT("7；Shift：!"), plain("7"), plain("!"), {2, 0, 0}),
    insert("8", UI_TEXT("8；Shift：P(n,k)"), plain("8"), selecting("P(n,k)", "n"), {2, 0, 1}),
    insert("9", UI_TEXT("9；Shift：C(n,k)"), plain("9"), selecting("C(n,k)", "n"), {2, 0, 2}),
    insert("/", "", plain("/"), same, {2, 0, 3}),
    insert("( )", UI_TEXT("括号：()；Shift：[]"), between("()"), between("[]"), {2, 0, 4}),
    insert("%", UI_TEXT("%；Shift：‰"), plain("%"), plain("‰"), {2, 0, 5}, "SpeedButton52"),

    insert("4", "", plain("4"), same, {2, 1, 0}),
    insert("5", "", plain("5"), same, {2, 1, 1}),
    insert("6", "", plain("6"), same, {2, 1, 2}),
    opener("×", UI_TEXT("乘号"), PaletteGroup::chenghao, {2, 1, 3}),
    insert("⊥", UI_TEXT("⊥；Shift：∥"), plain("⊥"), plain("∥"), {2, 1, 4}, "SpeedButton50"),
    insert("≌", UI_TEXT("≌；Shift：∽"), plain("≌"), plain("∽"), {2, 1, 5}, "SpeedButton51"),

    insert("1", "", plain("1"), same, {2, 2, 0}),
    insert("2", "", plain("2"), same, {2, 2, 1}),
    insert("3", "", plain("3"), same, {2, 2, 2}),
    insert("-", "", plain("-"), same, {2, 2, 3}),
    opener(">", UI_TEXT("大于"), PaletteGroup::dayu, {2, 2, 4}),
    insert("=", "", plain("="), same, {2, 2, 5}),

    insert("0", "", plain("0"), same, {2, 3, 0}),
    insert(".", "", plain("."), same, {2, 3, 1}),
    insert("+", "", plain("+"), same, {2, 3, 2}),
};

} // namespace

std::span<const KeypadButton> keypadButtons() {
    return kKeypad;
}

} // namespace quorvel::editor

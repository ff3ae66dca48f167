// The operator palette's nineteen groups. A button that several groups show is defined once: the groups
// opened from the keypad are slices of, or references into, the groups that hold the button first.
#include "editor/core/EditorTables.h"

#include "base/UiText.h"

#include <array>
#include <set>
#include <stdexcept>
#include <vector>

namespace quorvel::editor {

namespace {

constexpr PaletteButton button(std::string_view caption, std::string_view hint, std::string_view text, int k,
                               bool select = false, Example example = {}) {
    return {caption, hint, ButtonAction::Insert, {text, k, select ? 1 : 0, example}, true};
}

// A symbol: inserted as it is, caret behind it, no example.
constexpr PaletteButton sym(std::string_view text, std::string_view caption = {},
                            std::string_view hint = {}) {
    return {caption.empty() ? text : caption, hint, ButtonAction::Insert, {text, 0, 0, {}}, true};
}

// A button that does nothing when pressed; the palette stays open.
constexpr PaletteButton inactive(std::string_view caption, std::string_view hint, Template kept = {}) {
    return {caption, hint, ButtonAction::Inactive, kept, true};
}

template <std::size_t N>
constexpr PaletteButton from(const PaletteButton (&group)[N], std::string_view text) {
    for (const PaletteButton& b : group)
        if (b.insert.text == text) return b;
    throw std::logic_error("button not in group");
}

// denghao; dayu is the same row without "=".
constexpr PaletteButton kDenghao[] = {
    sym("="), sym("≠"),  sym(">"),
    sym("<"), sym(">="), sym("<="),
    sym("≡"), sym("≈"),  button("vec", UI_TEXT("向量"), "vec(AB)", 1, false, examples::xiangliang),
};

constexpr PaletteButton kKuohao[] = {
    button("( )", UI_TEXT("小括号"), "()", 1),
    button("[ ]", UI_TEXT("中括号"), "[]", 1),
    button("{ }", UI_TEXT("大括号"), "{}", 1),
    button("| |", UI_TEXT("绝对值"), "abs()", 1),
    // The engine refuses these brackets; offered once it reads half-open intervals.
    inactive("[ )", UI_TEXT("右半开放区间"), {"[)", 1, 0, {}}),
    inactive("( ]", UI_TEXT("左半开放区间"), {"(]", 1, 0, {}}),
};

constexpr PaletteButton kPutongyunsuan[] = {
    sym("+"),
    sym("-"),
    sym("×"),
    sym("/"),
    sym("%"),
    sym("±"),
    sym("·"),
    sym("≌"),
    sym("∽"),
    sym("∥"),
    sym("⊥"),
    sym("‰", UI_TEXT("   %。")),
    sym("*", "xy", UI_TEXT("x乘以y")),
    button("xⁿ", UI_TEXT("n次方"), "cub(x,n)", 3, false, examples::cifangyunsuan),
    button("ⁿ√x", UI_TEXT("n次方根"), "ext(x,n)", 3, false, examples::kaifang),
    button("√x", UI_TEXT("平方根"), "sqrt(x)", 1, false, examples::kaipingfanggen),
};

constexpr PaletteButton kBiaohao[] = {
    button("xⁱⱼ", UI_TEXT("上下标"), "tab(i,j,x)", 6, true, examples::shangxiabiao),
    button("xⁱ", UI_TEXT("上标"), "tab(i,,x)", 5, true, examples::shangbiao),
    button("xⱼ", UI_TEXT("下标"), "tab(,j,x)", 4, true, examples::xiabiao),
};

// sanjiao; sec is its tail from "正割" on.
constexpr PaletteButton kSanjiao[] = {
    button("sin", UI_TEXT("正弦函数"), "sin(x)", 1),
    button("cos", UI_TEXT("余弦函数"), "cos(x)", 1),
    button("tg", UI_TEXT("正切函数"), "tg(x)", 1),
    button("ctg", UI_TEXT("余切函数"), "ctg(x)", 1),
    button("arcsin", UI_TEXT("反正弦函数"), "arcsin(x)", 1),
    button("arccos", UI_TEXT("反余弦函数"), "arccos(x)", 1),
    button("arctg", UI_TEXT("反正切函数"), "arctg(x)", 1),
    button("arcctg", UI_TEXT("反余切函数"), "arcctg(x)", 1),
    button("sec", UI_TEXT("正割"), "sec(x)", 2, true),
    button("csc", UI_TEXT("余割"), "csc(x)", 2, true),
    button("sgn", UI_TEXT("符号函数"), "sgn(x)", 2, true),
    button("sh", UI_TEXT("双曲正弦"), "sh(x)", 2, true),
    button("ch", UI_TEXT("双曲余弦"), "ch(x)", 2, true),
    button("th", UI_TEXT("双曲正切"), "th(x)", 2, true),
};
constexpr std::size_t kSecStart = 8;

constexpr PaletteButton limitButton() {
    PaletteButton b = button("lim→", UI_TEXT("极限"), "lim(x,∞,f(x))", 7, false, examples::lim);
    b.plottable = false; // a limit cannot be plotted
    return b;
}

constexpr PaletteButton kDuishu[] = {
    button("lg", UI_TEXT("以10为底的对数"), "lg(x)", 1, false, examples::lg),
    button("ln", UI_TEXT("以e为底的对数"), "ln(x)", 1, false, examples::ln),
    button("log", UI_TEXT("以a为底的对数"), "log(a,b)", 3, false, examples::log),
    limitButton(),
};

constexpr PaletteButton kHeji[] = {
    button("∑", UI_TEXT("求和"), "sum(i=0,n,x_ _i)", 9, false, examples::qiuhe),
    button("∏", UI_TEXT("求积"), "prod(i=0,n,x_ _i)", 9, false, examples::qiuji),
};

constexpr PaletteButton kJuzhen[] = {
    {"[aᵢⱼ]", UI_TEXT("矩阵"), ButtonAction::Matrix, {"matrix()", 1, 0, examples::juzhen}, true},
    {"|aᵢⱼ|", UI_TEXT("行列式"), ButtonAction::Determinant, {"range()", 1, 0, examples::hanglieshi}, true},
};

constexpr PaletteButton kJiecheng[] = {
    sym("!", "n !"),
    button("eˣ", UI_TEXT("幂指数"), "exp(x)", 1),
    button("aˣ", UI_TEXT("指数"), "ind(a,x)", 1),
};

constexpr PaletteButton kDaoshu[] = {
    button("y′", UI_TEXT("导数"), "derive(y,x)", 3, false, examples::daoshu2),
    button("∂y/∂x", UI_TEXT("偏导数"), "pderive(y,x)", 3, false, examples::daoshu1),
    button("∫ₐᵇ", UI_TEXT("积分"), "ing1(a;b,x,x)", 5, false, examples::jifen),
    button(UI_TEXT("分段"), UI_TEXT("含有条件的多函数"), examples::youtiaojian.markup, 39, false,
           examples::youtiaojian),
    button(UI_TEXT("条件"), UI_TEXT("有条件的单个函数"), "f(x)=con(1,x,x>0)", 8, false, examples::danhang),
};

constexpr PaletteButton kFuhao1[] = {
    sym("π"), sym("α"), sym("β"), sym("γ"), sym("δ"), sym("Γ"), sym("ε"),
    sym("θ"), sym("μ"), sym("σ"), sym("φ"), sym("ζ"), sym("η"), sym("κ"),
    sym("λ"), sym("ν"), sym("ρ"), sym("τ"), sym("υ"), sym("ψ"), sym("ω"),
};

constexpr PaletteButton kFuhao2[] = {
    sym("Α"),
    sym("Β"),
    sym("Δ"),
    sym("Λ"),
    sym("Π"),
    sym("Σ"),
    sym("Φ"),
    sym("∝"),
    sym("…", "···"),
    // A button shows "&&" as one ampersand: the caption is what it shows.
    sym("&"),
    sym("Ψ"),
    sym("Ω"),
    sym("∞"),
    sym("Χ"),
    sym("⊿", "Υ"),
    sym("@"),
    sym("∠"),
    sym("□"),
};

constexpr PaletteButton kJihe[] = {
    inactive("∅", UI_TEXT("空集")),
    inactive("∈", UI_TEXT("属于")),
    inactive("∉", UI_TEXT("不属于")),
    inactive("∪", UI_TEXT("并")),
    inactive("∩", UI_TEXT("交")),
    inactive("⊆", UI_TEXT("包含于")),
    inactive("⊇", UI_TEXT("包含")),
    inactive("⊂", UI_TEXT("被掩于")),
    inactive("⊃", UI_TEXT("掩盖")),
    inactive("⊄", UI_TEXT("不包含于")),
    inactive("∁", UI_TEXT("补集")),
    inactive("∀", UI_TEXT("任意")),
    inactive("∃", UI_TEXT("存在")),
    inactive("···", UI_TEXT("省略")),
    button("< >", UI_TEXT("有序列"), "<>", 1),
    // The engine has no unit or inter operator yet; their templates are kept for when it does.
    inactive("⋃", UI_TEXT("并集"), {"unit(i=1,n,x_ _i)", 9, 0, examples::bingji}),
    inactive("⋂", UI_TEXT("交集"), {"inter(i=1,n,x_ _i)", 9, 0, examples::jiaoji}),
};

constexpr PaletteButton kZuhe[] = {
    button("P(n,k)", UI_TEXT("排列"), "P(n,k)", 3),
    button("C(n,k)", UI_TEXT("组合"), "C(n,k)", 3),
};

constexpr PaletteButton kChenghao[] = {
    from(kPutongyunsuan, "×"),
    from(kPutongyunsuan, "·"),
    from(kPutongyunsuan, "*"),
};

constexpr PaletteButton kTeshufuhao[] = {
    from(kPutongyunsuan, "±"), from(kFuhao2, "∝"), from(kFuhao2, "∞"), from(kFuhao2, "…"),
    from(kFuhao2, "∠"),        from(kFuhao2, "□"), from(kFuhao2, "Δ"), from(kFuhao2, "⊿"),
};

constexpr PaletteButton kTeshuzimu[] = {
    sym("x"),           sym("y"),           from(kFuhao2, "Α"), from(kFuhao2, "Β"), from(kFuhao2, "Λ"),
    from(kFuhao2, "Π"), from(kFuhao2, "Φ"), from(kFuhao2, "Ψ"), from(kFuhao2, "Σ"), from(kFuhao2, "Ω"),
    from(kFuhao2, "Χ"), from(kFuhao2, "@"), from(kFuhao1, "π"), from(kFuhao1, "γ"), from(kFuhao1, "ε"),
    from(kFuhao1, "θ"), from(kFuhao1, "μ"), from(kFuhao1, "φ"), from(kFuhao1, "α"), from(kFuhao1, "δ"),
    from(kFuhao1, "ζ"), from(kFuhao1, "κ"), from(kFuhao1, "ν"), from(kFuhao1, "ψ"), from(kFuhao1, "β"),
    from(kFuhao1, "Γ"), from(kFuhao1, "η"), from(kFuhao1, "λ"), from(kFuhao1, "ρ"), from(kFuhao1, "ω"),
    sym("f(x)"),        sym("f(x,y)"),      from(kFuhao1, "σ"), from(kFuhao1, "τ"), from(kFuhao1, "υ"),
};

// In the order of PaletteGroup. The five groups opened from the keypad have no class button.
constexpr PaletteGroupSpec kGroups[] = {
    {PaletteGroup::denghao, "denghao", UI_TEXT("对等关系运算类"), 9, true, kDenghao},
    {PaletteGroup::kuohao, "kuohao", UI_TEXT("括号类"), 6, true, kKuohao},
    {PaletteGroup::putongyunsuan, "putongyunsuan", UI_TEXT("四则运算次方类"), 8, true, kPutongyunsuan},
    {PaletteGroup::biaohao, "biaohao", UI_TEXT("上下标号类"), 3, false, kBiaohao},
    {PaletteGroup::sanjiao, "sanjiao", UI_TEXT("三角函数类"), 7, true, kSanjiao},
    {PaletteGroup::duishu, "duishu", UI_TEXT("对数极限类"), 4, true, kDuishu},
    {PaletteGroup::heji, "heji", UI_TEXT("求和求积类"), 2, false, kHeji},
    {PaletteGroup::juzhen, "juzhen", UI_TEXT("矩阵行列式类"), 2, false, kJuzhen},
    {PaletteGroup::jiecheng, "jiecheng", UI_TEXT("阶乘指数类"), 3, true, kJiecheng},
    {PaletteGroup::daoshu, "daoshu", UI_TEXT("求导积分条件类"), 5, false, kDaoshu},
    {PaletteGroup::fuhao1, "fuhao1", UI_TEXT("小写特殊符号"), 7, true, kFuhao1},
    {PaletteGroup::fuhao2, "fuhao2", UI_TEXT("大写特殊符号"), 9, true, kFuhao2},
    {PaletteGroup::jihe, "jihe", UI_TEXT("集合"), 6, false, kJihe},
    {PaletteGroup::zuhe, "zuhe", UI_TEXT("排列组合类"), 2, true, kZuhe},
    {PaletteGroup::sec, "sec", "", 6, true, std::span(kSanjiao).subspan(kSecStart)},
    {PaletteGroup::chenghao, "chenghao", "", 3, true, kChenghao},
    {PaletteGroup::dayu, "dayu", "", 7, true, std::span(kDenghao).subspan(1, 7)},
    {PaletteGroup::teshufuhao, "teshufuhao", "", 8, true, kTeshufuhao},
    {PaletteGroup::teshuzimu, "teshuzimu", "", 7, true, kTeshuzimu},
};
static_assert(std::size(kGroups) == kPaletteGroupCount);

constexpr bool groupsInEnumOrder() {
    for (std::size_t i = 0; i < std::size(kGroups); ++i)
        if (static_cast<std::size_t>(kGroups[i].group) != i) return false;
    return true;
}
static_assert(groupsInEnumOrder());

std::vector<ExamplePicture> collectPictures() {
    std::vector<ExamplePicture> out;
    std::set<std::string_view> seen;
    const auto add = [&](const Template& t) {
        if (t.example.present() && !t.example.picture.empty() && seen.insert(t.example.picture).second)
            out.push_back({t.example.picture, t.example.markup});
    };
    for (const KeypadButton& b : keypadButtons()) {
        add(b.normal);
        if (b.shifted) add(*b.shifted);
    }
    // An inactive button shows no example, so its picture is not made.
    for (const PaletteGroupSpec& g : kGroups)
        for (const PaletteButton& b : g.buttons)
            if (b.action != ButtonAction::Inactive) add(b.insert);
    return out;
}

} // namespace

std::span<const PaletteGroupSpec> paletteGroups() {
    return kGroups;
}

const PaletteGroupSpec& paletteGroup(PaletteGroup group) {
    return kGroups[static_cast<std::size_t>(group)];
}

std::span<const ExamplePicture> examplePictures() {
    static const std::vector<ExamplePicture> pictures = collectPictures();
    return pictures;
}

} // namespace quorvel::editor

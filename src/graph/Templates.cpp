#include "graph/Templates.h"

#include "base/NumberFormat.h"

namespace quorvel::graph {

namespace {

// The blank after "Y" in the second and third expressions is part of the design; the parser drops it.
constexpr std::array<TemplateFunction, 14> kTemplates{{
    {"SpeedButton1", "正比例函数", "正比例函数", "Y=A*X+B", 2, {1, 0, 0}},
    {"SpeedButton2", "反比例函数", "反比例函数", "Y =A/X+B", 2, {1, 0, 0}},
    {"SpeedButton3", "二次函数", "二次函数", "Y =A*cub(X,2)+B*X+C", 3, {1, 0, -1}},
    {"SpeedButton4", "幂函数", "幂函数", "Y=cub(X,A)", 1, {0.5, 0, 0}},
    {"SpeedButton5", "指数函数", "指数函数", "Y=ind(A,X)", 1, {2, 0, 0}},
    {"SpeedButton6", "对数函数", "对数函数", "Y=log(A,X)", 1, {2, 0, 0}},
    {"SpeedButton7", "正弦函数", "正弦函数", "Y=A*sin(B*X+C)", 3, {1, 1, 0}},
    {"SpeedButton8", "余弦函数", "余弦函数", "Y=A*cos(B*X+C)", 3, {1, 1, 0}},
    {"SpeedButton9", "正切函数", "正切函数", "Y=A*tg(B*X+C)", 3, {1, 1, 0}},
    {"SpeedButton10", "余切函数", "余切函数", "Y=A*ctg(B*X+C)", 3, {1, 1, 0}},
    {"SpeedButton11", "反正弦函数", "反正弦函数", "Y=arcsin(X)", 0, {0, 0, 0}},
    {"SpeedButton16", "反余弦函数", "反余弦函数", "Y=arccos(X)", 0, {0, 0, 0}},
    {"SpeedButton15", "反正切函数", "反正切函数", "Y=arctg(X)", 0, {0, 0, 0}},
    {"SpeedButton14", "反余切函数", "反余切函数", "Y=arcctg(X)", 0, {0, 0, 0}},
}};

} // namespace

std::span<const TemplateFunction> templateFunctions() {
    return kTemplates;
}

const TemplateFunction* findTemplate(std::string_view buttonName) {
    for (const TemplateFunction& entry : kTemplates)
        if (entry.buttonName == buttonName) return &entry;
    return nullptr;
}

TemplateDialogFill dialogFillFor(const TemplateFunction& entry) {
    TemplateDialogFill fill;
    fill.name = std::string(entry.name);
    for (std::size_t k = 0; k < 3; ++k) {
        fill.rowVisible[k] = static_cast<int>(k) < entry.paramCount;
        fill.paramTexts[k] = formatGeneral(entry.startValues[k]);
    }
    return fill;
}

} // namespace quorvel::graph

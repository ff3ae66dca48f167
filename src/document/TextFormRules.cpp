#include "document/TextFormRules.h"

#include "base/UiText.h"
#include "document/FieldReader.h"

#include <cmath>

namespace quorvel::document {

namespace {

constexpr const char* kLineBreakProblem = UI_TEXT("%1中不能含有换行,请修改！");
constexpr const char* kFontNameField = UI_TEXT("字体名称");

bool hasLineBreak(std::string_view value) {
    return value.find_first_of("\r\n") != std::string_view::npos;
}
bool hasSeparator(std::string_view value) {
    return value.find(kFieldSeparator) != std::string_view::npos;
}

std::optional<std::string> numberProblem(double value) {
    if (std::isfinite(value)) return std::nullopt;
    return std::string(UI_TEXT("数值太大或不是有效的数,不能保存,请修改！"));
}

} // namespace

bool fitsInnerField(std::string_view value) {
    return !hasSeparator(value) && !hasLineBreak(value) && (value.empty() || value.back() != '#');
}

bool fitsLastField(std::string_view value) {
    return !hasLineBreak(value);
}

bool fitsAnnotationText(std::string_view text) {
    const std::string normal = toCrLf(text);
    const auto lastBreak = normal.rfind(kCrLf);
    return lastBreak == std::string::npos || !hasSeparator(std::string_view(normal).substr(0, lastBreak));
}

std::string toCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += kCrLf;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> innerFieldProblem(std::string_view value, std::string_view what) {
    if (hasSeparator(value)) return fillTemplate(UI_TEXT("%1中不能含有“##”,请修改！"), {what});
    if (hasLineBreak(value)) return fillTemplate(kLineBreakProblem, {what});
    if (!value.empty() && value.back() == '#')
        return fillTemplate(UI_TEXT("%1不能以“#”结尾,请修改！"), {what});
    return std::nullopt;
}

std::optional<std::string> lastFieldProblem(std::string_view value, std::string_view what) {
    if (hasLineBreak(value)) return fillTemplate(kLineBreakProblem, {what});
    return std::nullopt;
}

std::optional<std::string> annotationTextProblem(std::string_view text) {
    if (fitsAnnotationText(text)) return std::nullopt;
    return std::string(UI_TEXT("注释正文中只有最后一行可以含有“##”,请修改！"));
}

std::optional<std::string> itemProblem(const DEFINEFUN& item) {
    if (auto p = innerFieldProblem(item.labelFontName, kFontNameField)) return p;
    if (auto p = innerFieldProblem(item.expression, kExpressionField)) return p;
    if (auto p = lastFieldProblem(item.name, UI_TEXT("函数名称"))) return p;
    if (item.paramCount < 0 || item.paramCount > kMaxParams)
        return std::string(UI_TEXT("参数个数超出范围,请修改！"));
    for (std::size_t k = 0; k < static_cast<std::size_t>(item.paramCount); ++k) {
        if (auto p = innerFieldProblem(item.paramNames[k], UI_TEXT("参数名称"))) return p;
        if (auto p = numberProblem(item.paramValues[k])) return p;
    }
    if (auto p = numberProblem(item.domainStart)) return p;
    return numberProblem(item.domainEnd);
}

std::optional<std::string> remarkProblem(const REMARK& remark) {
    if (auto p = annotationTextProblem(remark.text)) return p;
    return lastFieldProblem(remark.font.name, kFontNameField);
}

std::optional<std::string> documentProblem(const Document& doc) {
    const ViewSettings& v = doc.view;
    for (double value : {v.originX, v.originY, v.unitCommon, v.unitX, v.unitY})
        if (auto p = numberProblem(value)) return fillTemplate(UI_TEXT("坐标系设置：%1"), {*p});
    for (int j = 0; j < doc.remarkCount(); ++j)
        if (auto p = remarkProblem(doc.remark(j)))
            return fillTemplate(UI_TEXT("第%1个注释：%2"), {std::to_string(j + 1), *p});
    for (int i = 0; i < doc.curveCount(); ++i)
        if (auto p = itemProblem(doc.curve(i)))
            return fillTemplate(UI_TEXT("第%1个函数或公式：%2"), {std::to_string(i + 1), *p});
    return std::nullopt;
}

} // namespace quorvel::document

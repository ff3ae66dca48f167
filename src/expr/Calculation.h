#pragma once

#include "base/UiText.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::expr {

class Engine;

// The text a calculation object carries: the input, "=" and the value of the expression (of its right side
// for an equation) in the general decimal form, or "错误" after a message when it has no value. x is
// taken from the table like every other name (0 when it is not there), and a value within the rounding
// noise of its computation shows as 0 (shownValue). The variable table is used as it stands; the tree is left
// in engine.currentTree. reopened selects the message of a recalculation; defined (if given) tells whether
// there was a value.
std::string calculationText(Engine& engine, std::string_view input, bool reopened = false,
                            bool* defined = nullptr);

// The formula of a calculation object's text, in function form: the text without the result behind its
// last "=" ("y=1+2=3" gives the function form of "y=1+2"), or the whole text when it has no "=".
// Nothing when the text is refused or has no formula.
[[nodiscard]] std::optional<std::string> calculationFormula(Engine& engine, std::string_view text);

// Messages of a calculation without value.
inline constexpr std::string_view kCalculationFailed =
    UI_TEXT("输入有误或表达式中含有不能计算的函数,或者计算的结果太大和太小，输出的结果将不正确！");
inline constexpr std::string_view kRecalculationFailed =
    UI_TEXT("输入有误或表达式中含有不能计算的函数,输出的为错误信息！");
inline constexpr std::string_view kCalculationError = UI_TEXT("错误");

} // namespace quorvel::expr

#pragma once

#include "base/UiText.h"
#include "expr/Evaluator.h"
#include "expr/VariableTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::expr {

// The names of a formula (its function form, pieces expanded) that a value road would take as 0: every
// name it collects as a variable without a value of its own, unless given holds it (a value the user
// set). Empty when the text does not convert.
// x is collected as a name where the road has no axis (a calculation).
[[nodiscard]] std::vector<std::string> namesTakenAsZero(std::string_view functionForm,
                                                        const VariableTable& given,
                                                        PlottingVariable x = PlottingVariable::Skip);

// "以下名称没有赋值，按0计算：a、b。" for the names, or empty when there are none; the names are joined by
// separator (another language's list comma).
inline constexpr const char* kNameListSeparator = UI_TEXT("、");
[[nodiscard]] std::string takenAsZeroNote(const std::vector<std::string>& names,
                                          std::string_view separator = kNameListSeparator);

} // namespace quorvel::expr

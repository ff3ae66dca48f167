#pragma once

#include "base/UiText.h"

// Messages of the graph layer about the kinds of curve a formula can be drawn as.
namespace quorvel::graph {

inline constexpr const char* kFunctionFormMessage =
    UI_TEXT("函数应写成 y=f(x) 或 f(x) 的形式；含 y 的方程或不等式请在“曲线类型”中选择“隐函数/不等式”！");
inline constexpr const char* kParametricFormMessage =
    UI_TEXT("参数方程应写成两个方程 x=f(t);y=g(t)，例如 x=cos(t);y=sin(t)，请修改！");
inline constexpr const char* kPolarFormMessage =
    UI_TEXT("极坐标方程应写成 r=f(θ)，右边不含 x 和 y，例如 r=1+cos(θ)，请修改！");
inline constexpr const char* kImplicitFormMessage = UI_TEXT(
    "隐函数应写成含 x、y 的方程或不等式（可用分号隔开几个不等式），例如 x^2+y^2=4 或 y>x^2，请修改！");
inline constexpr const char* kRangeNotNumberMessage = UI_TEXT("参数的范围必须是数（可以含 π），请修改！");
inline constexpr const char* kRangeEmptyMessage = UI_TEXT("参数范围的起点必须小于终点，请修改！");

} // namespace quorvel::graph

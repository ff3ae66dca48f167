#include "expr/ParseLimits.h"

#include <algorithm>

namespace quorvel::expr::detail {

std::string tooLongMessage() {
    return "表达式的长度超过了" + std::to_string(kMaxTextBytes) + "个字节，请修改！";
}

std::string tooDeepMessage() {
    return "表达式中括号的嵌套超过了" + std::to_string(kMaxNesting) + "层，请修改！";
}

std::string tooComplexMessage() {
    return "表达式过于复杂，无法转换，请修改！";
}

std::string notNaturalMessage(Counted construct) {
    switch (construct) {
    case Counted::Matrix:
        return "您输入的矩阵的行数或列数不是自然数，请修改！";
    case Counted::Range:
        return "您输入的行列式的行数或列数不是自然数，请修改！";
    case Counted::Lak:
        return "您输入的多行表达式中的行数不是自然数，请修改！";
    case Counted::Con:
        break;
    }
    return "您输入的条件表达式中的个数不是自然数，请修改！";
}

std::string tooManyMessage(Counted construct) {
    const std::string limit = std::to_string(countLimit(construct));
    switch (construct) {
    case Counted::Matrix:
        return "您输入的矩阵的行数或列数超过了" + limit + "，请修改！";
    case Counted::Range:
        return "您输入的行列式的行数或列数超过了" + limit + "，请修改！";
    case Counted::Lak:
        return "您输入的多行表达式中的行数超过了" + limit + "，请修改！";
    case Counted::Con:
        break;
    }
    return "您输入的条件表达式中的个数超过了" + limit + "，请修改！";
}

long long countLimit(Counted construct) {
    return construct == Counted::Matrix || construct == Counted::Range ? kMaxMatrixSide : kMaxListItems;
}

std::optional<long long> readCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    constexpr long long kSaturated = 1'000'000'000;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(kSaturated, value * 10 + (c - '0'));
    }
    return value;
}

} // namespace quorvel::expr::detail

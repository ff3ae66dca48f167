#include "typeset/Symbols.h"

#include "base/NumberFormat.h"

#include <algorithm>

namespace quorvel::typeset {

using expr::Keyword;

std::string displaySymbol(std::string_view text) {
    const char* sign = expr::keywordInfo(expr::keywordOf(text)).sign;
    return sign ? std::string(sign) : std::string(text);
}

std::string_view drawnSign(std::string_view sign) {
    if (sign == "Σ") return "∑";
    if (sign == "П") return "∏";
    if (sign == "δ") return "∂";
    return sign;
}

bool isBracketedOperandKind(Keyword kind) {
    return expr::keywordInfo(kind).has(expr::Trait::BracketedOperand);
}

bool isTrigonometric(Keyword kind) {
    return expr::keywordInfo(kind).has(expr::Trait::Trigonometric);
}

NodeClass classify(const expr::ExprNode& node) {
    if (!node.first)
        return node.text.find('_') == std::string::npos ? NodeClass::PlainLeaf : NodeClass::LabelledName;
    return expr::keywordInfo(node.kind).notation;
}

LabelledName splitLabelledName(std::string_view text) {
    LabelledName parts;
    const auto first = text.find('_');
    if (first == std::string_view::npos) {
        parts.base = text;
        return parts;
    }
    parts.base = text.substr(0, first);
    const std::string_view rest = text.substr(first + 1);
    const auto second = rest.find('_');
    if (second == std::string_view::npos) {
        parts.subscript = rest;
    } else {
        parts.superscript = rest.substr(0, second);
        parts.subscript = rest.substr(second + 1);
    }
    return parts;
}

int readCount(const expr::ExprNode* node, int limit) {
    if (!node) return 0;
    const auto value = parseInteger(node->text);
    if (!value) {
        // A decimal count too long for any integer type still names more items than the limit.
        const bool digits = !node->text.empty() && std::all_of(node->text.begin(), node->text.end(),
                                                               [](char c) { return c >= '0' && c <= '9'; });
        return digits ? limit : 0;
    }
    if (*value <= 0) return 0;
    return static_cast<int>(std::min<long long>(*value, limit));
}

std::string symbolOf(const expr::ExprNode& node) {
    if (!node.first || node.kind == Keyword::None) return node.text;
    return displaySymbol(expr::keywordName(node.kind));
}

} // namespace quorvel::typeset

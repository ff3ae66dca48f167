#include "expr/ExprNode.h"

#include "base/NumberFormat.h"
#include "base/Utf8Text.h"
#include "expr/EvaluationPlan.h"

#include <numbers>
#include <string_view>

namespace quorvel::expr {

namespace {
constexpr std::string_view kDegreeSign = "°";
} // namespace

ExprNode::ExprNode(std::string nodeText) : text(std::move(nodeText)) {
    exactKind = keywordOf(text);
    kind = exactKind != Keyword::None ? exactKind : keywordOf(asciiLower(text));
    if (text == "x" || text == "X") {
        leafKind = LeafKind::X;
    } else if (text == "π") {
        leafKind = LeafKind::Pi;
    } else if (auto number = parseDecimalLiteral(text)) {
        leafKind = LeafKind::Number;
        leafNumber = *number;
    } else if (text.ends_with(kDegreeSign)) {
        if (auto degrees =
                parseDecimalLiteral(std::string_view(text).substr(0, text.size() - kDegreeSign.size()))) {
            leafKind = LeafKind::Degrees;
            leafNumber = *degrees * (std::numbers::pi / 180);
        }
    }
}

ExprNode::~ExprNode() {
    // A matrix or a long list is a chain through `next`; unlink it iteratively so that destroying it
    // never recurses once per item.
    std::unique_ptr<ExprNode> chain = std::move(next);
    while (chain)
        chain = std::move(chain->next);
}

} // namespace quorvel::expr

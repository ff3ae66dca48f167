#pragma once

#include "expr/Keyword.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorvel::expr {

struct EvaluationPlan;

// One node of an expression tree. Children are owned; `parent` is a plain back link (for the second
// and later items of a list it is the item before). Layout, drawing and evaluation use the int and
// double fields as scratch space.
struct ExprNode {
    explicit ExprNode(std::string nodeText);
    ~ExprNode(); // frees long `next` chains without deep recursion
    ExprNode(const ExprNode&) = delete;
    ExprNode& operator=(const ExprNode&) = delete;

    std::string text; // keyword, opening bracket, or literal leaf text (UTF-8)
    // `text` resolved in lower case: what the evaluator and layout compare against.
    Keyword kind = Keyword::None;
    // `text` resolved exactly: "LAK" has kind Lak but exactKind None. The parser's splitting and the
    // text written back compare exactly.
    Keyword exactKind = Keyword::None;

    int left = 0;
    int axis = 0;
    int headHeight = 0;
    int headWidth = 0;
    int height = 0;
    int width = 0;
    double value = 0;

    std::unique_ptr<ExprNode> first;
    std::unique_ptr<ExprNode> second;
    std::unique_ptr<ExprNode> third;
    std::unique_ptr<ExprNode> next;
    ExprNode* parent = nullptr;

    bool isLeaf() const { return !first; }

    // What a leaf's `text` means to the evaluator, resolved once from `text` when the node is made.
    // Degrees: a decimal number followed by "°" ("30°"), a fixed angle and no name.
    enum class LeafKind : std::uint8_t { Other, X, Pi, Number, Degrees };
    LeafKind leafKind = LeafKind::Other;
    // The decimal value of `text` when leafKind is Number; for Degrees the angle in radians.
    double leafNumber = 0;
    // The evaluator's flat plan of this subtree, made when the node is first evaluated. The links of a
    // tree do not change after it is built; a caller that changes them must reset this.
    std::unique_ptr<EvaluationPlan> plan;
};

using ExprTree = std::unique_ptr<ExprNode>;

} // namespace quorvel::expr

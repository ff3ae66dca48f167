#pragma once

// What the LaTeX and MathML writers share: how a node is written (its shape), when an operand needs
// brackets, the pieces of a leaf, and the checked road from markup to a tree.

#include "expr/ExprNode.h"
#include "typeset/Symbols.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::typeset {

// A formula written in another notation, or the messages of why its markup has none (in the order the
// editor shows them; empty on success).
struct WrittenFormula {
    std::string text;
    std::vector<std::string> refusal;
    [[nodiscard]] bool ok() const { return refusal.empty(); }
};

namespace writing {

// How a node is written. The list constructs (lak, con, matrix, range, ing1) are split into items only
// when their keyword is typed in lower case; otherwise the tree holds them as a plain call.
enum class Shape : std::uint8_t {
    Leaf,
    LabelledLeaf, // a leaf holding "_": base, superscript, subscript
    Group,        // a typed bracket group
    Infix,
    Sign, // mus pos pom
    NamedFunction,
    Call, // f, the names with no form of their own, and names that are no keyword
    Exponential,
    Factorial,
    Vector,
    SquareRoot,
    AbsoluteValue,
    Fraction,
    Power, // cub ind
    NthRoot,
    Logarithm,
    Arrangement, // p c
    Derivative,
    Cases,       // lak
    Conditional, // con
    Matrix,      // matrix range
    Integral,    // ing1
    BigOperator, // sum prod
    Limit,
    LabelledTerm, // tab
};

[[nodiscard]] Shape shapeOf(const expr::ExprNode& node);

// The keyword the writers' tables are keyed by: the lower-case kind, or None for a plain call.
[[nodiscard]] expr::Keyword formKind(const expr::ExprNode& node);

// An operand of a function, factorial, logarithm, derivative, limit, sum, product or integral is put in
// brackets when it is an operator expression (a sum, product, relation or signed term).
[[nodiscard]] bool operandNeedsBrackets(const expr::ExprNode& operand);

// How the base of a power is written.
enum class BaseForm : std::uint8_t {
    Plain,     // a leaf or a construct that groups itself: its form, braced
    Bracketed, // an operator expression, fraction, logarithm or non-trigonometric function
    AfterName, // a trigonometric function: the exponent follows its name, as in sin²x
};
[[nodiscard]] BaseForm baseForm(const expr::ExprNode& base);

// True when child, an operand of the infix or sign node parent, needs brackets to keep its meaning: an
// operator of lower precedence (a sum inside a product), the right side of a difference, a sign after an
// operator. Typed bracket groups keep their own brackets and never need more.
[[nodiscard]] bool infixChildNeedsBrackets(const expr::ExprNode& parent, const expr::ExprNode& child,
                                           bool rightSide);

// A typed bracket group directly under a fraction is written without its brackets: the bar groups it.
[[nodiscard]] bool bracketsDropped(const expr::ExprNode& group, const expr::ExprNode& parent);

// The pieces of a leaf's text.
enum class PieceKind : std::uint8_t {
    Number, // digits and "."
    Letter, // one Latin or Greek letter
    Symbol, // one sign or punctuation mark
    Text,   // a run of Chinese or other characters with no sign of their own
};
struct Piece {
    PieceKind kind;
    std::u32string text;
};
[[nodiscard]] std::vector<Piece> leafPieces(std::string_view text);

// True when the leaf (or empty node) shows nothing.
[[nodiscard]] bool isEmptyLeaf(const expr::ExprNode* node);

// The items of a list starting at head, in order.
[[nodiscard]] std::vector<const expr::ExprNode*> listItems(const expr::ExprNode* head);

// Rows and columns of a matrix node, read from its first two children; a count that does not read (a
// tree that never passed validation) lays all cells out in one row.
struct MatrixSize {
    long long rows = 0;
    long long columns = 0;
};
[[nodiscard]] MatrixSize matrixSize(const expr::ExprNode& matrix, std::size_t cells);

// The tree of markup as the editor builds it, after the editor's input checks: null with the messages
// of the first refusal when the checks or the parser refuse it.
[[nodiscard]] expr::ExprTree checkedTree(std::string_view markup, std::vector<std::string>& refusal);

// A name such as "ing2": a Latin letter, then Latin letters and digits.
[[nodiscard]] bool isPlainName(std::string_view text);

// The walk both writers share: each node goes to the writer's rule for its shape, and an operand is put
// in brackets where its meaning needs them. Writer (which befriends this class) has one member per shape,
// nothing() for a missing node and inParentheses(child).
template <typename Writer> class TreeWalk {
public:
    void node(const expr::ExprNode* n) {
        Writer& w = static_cast<Writer&>(*this);
        if (!n) {
            w.nothing();
            return;
        }
        switch (shapeOf(*n)) {
        // clang-format off
        case Shape::Leaf:          w.leaf(n->text); return;
        case Shape::LabelledLeaf:  w.labelledLeaf(n->text); return;
        case Shape::Group:         w.group(*n); return;
        case Shape::Infix:         w.infix(*n); return;
        case Shape::Sign:          w.sign(*n); return;
        case Shape::NamedFunction: w.namedFunction(*n, nullptr); return;
        case Shape::Call:          w.call(*n); return;
        case Shape::Exponential:   w.exponential(*n); return;
        case Shape::Factorial:     w.factorial(*n); return;
        case Shape::Vector:        w.vector(*n); return;
        case Shape::SquareRoot:    w.squareRoot(*n); return;
        case Shape::AbsoluteValue: w.absoluteValue(*n); return;
        case Shape::Fraction:      w.fraction(*n); return;
        case Shape::Power:         w.power(*n); return;
        case Shape::NthRoot:       w.nthRoot(*n); return;
        case Shape::Logarithm:     w.logarithm(*n); return;
        case Shape::Arrangement:   w.arrangement(*n); return;
        case Shape::Derivative:    w.derivative(*n); return;
        case Shape::Cases:         w.cases(*n); return;
        case Shape::Conditional:   w.conditional(*n); return;
        case Shape::Matrix:        w.matrix(*n); return;
        case Shape::Integral:      w.integral(*n); return;
        case Shape::BigOperator:   w.bigOperator(*n); return;
        case Shape::Limit:         w.limit(*n); return;
        case Shape::LabelledTerm:  w.labelledTerm(*n); return;
            // clang-format on
        }
    }

protected:
    // The operand of a function, factorial, logarithm, big operator or limit.
    void operand(const expr::ExprNode* child) {
        if (child && operandNeedsBrackets(*child))
            static_cast<Writer&>(*this).inParentheses(child);
        else
            node(child);
    }

    void infixOperand(const expr::ExprNode& parent, const expr::ExprNode* child, bool rightSide) {
        if (child && infixChildNeedsBrackets(parent, *child, rightSide))
            static_cast<Writer&>(*this).inParentheses(child);
        else
            node(child);
    }
};

} // namespace writing

} // namespace quorvel::typeset

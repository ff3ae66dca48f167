#pragma once

#include "expr/ExprNode.h"
#include "expr/Keyword.h"

#include <string>
#include <string_view>

namespace quorvel::typeset {

// The visible sign of a keyword ("add" gives "+", "sum" gives "Σ", "muw" gives nothing); any other text
// comes back unchanged. The comparison is exact, so callers pass the lower-case keyword.
std::string displaySymbol(std::string_view text);

// The glyph a keyword's sign is drawn with where the keyword table's sign is a look-alike that the layout
// measures: the n-ary sum ∑ for Σ, the n-ary product ∏ for the Cyrillic П, the partial ∂ for δ. Any
// other sign comes back unchanged.
std::string_view drawnSign(std::string_view sign);

// True for the operand kinds that get an automatic bracket allowance when they are the operand of a
// function, power, logarithm, factorial, derivative, limit, sum, product or integral.
bool isBracketedOperandKind(expr::Keyword kind);

// How layout and drawing treat a node: a node without children is a plain leaf unless its text holds "_"
// (a labelled name); any other node by the notation of its keyword in the keyword table, and a keyword
// without a rule of its own (or a name that is no keyword) has no picture.
using NodeClass = expr::Notation;

NodeClass classify(const expr::ExprNode& node);

// Trigonometric and inverse trigonometric names: a power of these draws its exponent right after the name.
bool isTrigonometric(expr::Keyword kind);

// The parts of a labelled name: text before the first "_" is the base; the rest is split at its first
// "_" into superscript and subscript, or is all subscript when it holds no further "_". So "x_1" is x
// with subscript 1, and "x__11" is x with an empty superscript and subscript 11.
struct LabelledName {
    std::string_view base;
    std::string_view superscript;
    std::string_view subscript;
};
LabelledName splitLabelledName(std::string_view text);

// Reads the decimal count held by a count node ("lak", "con", "matrix", "range"): 0 when it is missing,
// not a number or negative, and at most limit.
int readCount(const expr::ExprNode* node, int limit);

// The sign that ink rows are measured on: a keyword's display symbol, or a leaf's own text.
std::string symbolOf(const expr::ExprNode& node);

} // namespace quorvel::typeset

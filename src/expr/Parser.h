#pragma once

#include "expr/ExprNode.h"

#include <string>
#include <string_view>

namespace quorvel::expr {

class Engine;

// The markup is turned into a tree by rewriting text: blanks go, every infix operator becomes a keyword
// call (the function form, such as add(muw(A,x),C)), and the function form is split into nodes.
// Every function here is safe on any text: nonsense gives odd trees, never a crash. Texts beyond the
// bounds of Limits.h are refused: the function then returns the empty text (or a single empty leaf) and,
// when refusal is given, stores the message there (it is left empty on success).

// Deletes every " ".
std::string stripBlanks(std::string_view text);

// Rewrites every operator into its keyword call: "!" (fac), then * · × / % (muw mud mul div mod), then
// leading signs - + ± (mus pos pom), then + - ± (add sub aoc), then > < >= <= (gts lts ges les), then
// = ≠ ≡ ≈ → ⊥ ∥ ≌ ∽ (eql nes usu app inc upr par res gru).
std::string toFunctionForm(std::string_view text, std::string* refusal = nullptr);

// What a text handed to the parser is: typed markup, held to every limit of Limits.h, or a function form
// made from such a text, which may be longer than the markup limit.
enum class TextKind { Markup, FunctionForm };

// Turns every "lak" into its lines joined by "+" and every "con" into (expression)×pd(c1)×…×pd(cn),
// records in engine.domainText where the pieces apply, and returns the function form of the result.
std::string expandPiecewise(Engine& engine, std::string_view text, std::string* refusal = nullptr,
                            TextKind kind = TextKind::Markup);

// Splits a function form into a new tree (never null). Children follow the placement rules: the
// exponent of cub/ind, the degree of ext and k of c/p are `first`; lists (lak lines, con conditions,
// matrix cells, the lower integral bound) are chained through `next`.
ExprTree buildTree(std::string_view functionForm, std::string* refusal = nullptr);

// Fills `parent` in the whole tree (null at root; the item before for the later items of a list).
void linkParents(ExprNode* root);

// Writes a tree back as function form; building the result gives the same tree. Null gives "".
std::string treeToText(const ExprNode* node);

} // namespace quorvel::expr

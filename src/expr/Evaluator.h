#pragma once

#include "expr/ExprNode.h"

namespace quorvel::expr {

class Engine;

// Evaluates the subtree at node with the plotting variable x, storing each node's result in its
// `value`. Returns true when node has a value, false when it is undefined (outside a domain, at a pole,
// a name without value, ...). Null gives true and does nothing. Allocates nothing; the only messages it
// can show are "输入有误" from the natural number test of fac, c and p.
bool evaluate(Engine& engine, ExprNode* node, double x);

// The value of a node after evaluate returned true for it.
double nodeValue(const ExprNode* node);

// Enters into engine.variables every leaf name of the tree that is not a number, not x or X and not yet
// there: "e" and "E" with 2.71828, "π" with 3.1415926, others with 0. A full table shows
// "变量数目超过了100，不能在添加变量！" and takes no more names.
void collectVariables(Engine& engine, const ExprNode* root);

// The node a formula is evaluated through: the right side of an equation (root "eql"), else the root.
ExprNode* evaluatedNode(ExprNode* root);
const ExprNode* evaluatedNode(const ExprNode* root);

} // namespace quorvel::expr

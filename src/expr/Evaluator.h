#pragma once

#include "expr/ExprNode.h"

namespace quorvel::expr {

class Engine;

// Evaluates the subtree at node with the plotting variable x, storing each node's result in its
// `value`. Returns true when node has a value, false when it is undefined (outside a domain, at a pole,
// a name without value, ...); engine.undefinedReason then tells why when the reason has a message. Null
// gives true and does nothing. Allocates nothing and shows no message.
bool evaluate(Engine& engine, ExprNode* node, double x);

// The value of a node after evaluate returned true for it.
double nodeValue(const ExprNode* node);

// Whether collectVariables enters x and X: a curve is plotted over them, a calculation takes them from
// the table like any other name.
enum class PlottingVariable : bool { Skip, Collect };

// Enters into engine.variables every leaf name of the tree that is not a number, not an angle in degrees
// ("30°"), not x or X unless x says so, and not yet there: "e" and "E" with the constant e, "π" with
// 3.1415926 (shown only: the leaf π is always the constant), others with 0. A full table shows
// "变量数目超过了100，不能在添加变量！" and takes no more names.
void collectVariables(Engine& engine, const ExprNode* root, PlottingVariable x = PlottingVariable::Skip);

// The node a formula is evaluated through: the right side of an equation (root "eql"), else the root.
ExprNode* evaluatedNode(ExprNode* root);
const ExprNode* evaluatedNode(const ExprNode* root);

} // namespace quorvel::expr

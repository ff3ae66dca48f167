#pragma once

#include "document/Records.h"
#include "document/ViewSettings.h"
#include "expr/Engine.h"
#include "expr/ExprNode.h"

namespace quorvel::graph {

// Column samples stop a branch one column short of where it really ends: at a pole, a jump or a
// domain end the curve would end up to a column away, often far inside the sheet. For each
// neighbouring pair j, j + 1 in firstPair … lastPair whose join the drawing breaks, the break is
// refined inside the column interval and the branch's true end is put in item.branchEnds (kept in
// order). node is the curve's evaluated tree with the item's parameters loaded; null does nothing.
void refineBranchEnds(expr::Engine& engine, document::DEFINEFUN& item, expr::ExprNode* node,
                      const document::ViewSettings& view, int firstPair, int lastPair);

// After a pan of dx columns: moves the ends with the samples and forgets those of the pairs that
// touch the newly sampled columns first … last, which refineBranchEnds then visits again.
void shiftBranchEnds(document::DEFINEFUN& item, int dx, int first, int last);

// The value of item's formula at x, when x lies in its domain and the value is a finite number.
[[nodiscard]] bool curveValueAt(expr::Engine& engine, const document::DEFINEFUN& item, expr::ExprNode* node,
                                double x, double& y);

} // namespace quorvel::graph

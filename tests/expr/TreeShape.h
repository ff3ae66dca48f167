#pragma once

// Helpers of the expression tests: build trees from markup and describe their shape.
#include "expr/ExprNode.h"
#include "expr/Parser.h"

#include <string>

namespace quorvel::expr::test {

// The tree of markup text (blanks removed first, as the editor does), parents linked.
inline ExprTree treeOf(std::string_view markup) {
    ExprTree tree = buildTree(toFunctionForm(stripBlanks(markup)));
    linkParents(tree.get());
    return tree;
}

// A node's text with its links, as "text[first|second|third]>next", children written the same way;
// missing links are left out, so that the placement of every child shows.
inline std::string shape(const ExprNode* node) {
    if (!node) return "-";
    std::string out = "'" + node->text + "'";
    if (node->first || node->second || node->third) {
        out += "[" + shape(node->first.get()) + "|" + shape(node->second.get());
        if (node->third) out += "|" + shape(node->third.get());
        out += "]";
    }
    if (node->next) out += ">" + shape(node->next.get());
    return out;
}

} // namespace quorvel::expr::test

#pragma once

#include "expr/ExprNode.h"
#include "expr/Parser.h"

#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::typeset::testing {

// The tree of markup as the editor builds it: blanks removed, function form, tree, parent links.
inline expr::ExprTree parse(std::string_view markup) {
    expr::ExprTree tree = expr::buildTree(expr::toFunctionForm(expr::stripBlanks(markup)));
    expr::linkParents(tree.get());
    return tree;
}

// Hand-built nodes, for trees no parser would give.
inline expr::ExprTree leaf(std::string text) {
    return std::make_unique<expr::ExprNode>(std::move(text));
}
inline expr::ExprTree node(std::string text, expr::ExprTree first, expr::ExprTree second = nullptr,
                           expr::ExprTree third = nullptr) {
    auto n = std::make_unique<expr::ExprNode>(std::move(text));
    n->first = std::move(first);
    n->second = std::move(second);
    n->third = std::move(third);
    return n;
}

// The nodes of a tree in pre-order: the node, then first, second, third, then the next item of its list.
inline std::vector<expr::ExprNode*> preOrder(expr::ExprNode* root) {
    std::vector<expr::ExprNode*> order;
    std::vector<expr::ExprNode*> pending{root};
    while (!pending.empty()) {
        expr::ExprNode* n = pending.back();
        pending.pop_back();
        if (!n) continue;
        order.push_back(n);
        pending.push_back(n->next.get());
        pending.push_back(n->third.get());
        pending.push_back(n->second.get());
        pending.push_back(n->first.get());
    }
    return order;
}

// The occurrence-th node (counting from 0) in pre-order whose text is text, or null.
inline expr::ExprNode* find(expr::ExprNode* root, std::string_view text, int occurrence = 0) {
    for (expr::ExprNode* n : preOrder(root))
        if (n->text == text && occurrence-- == 0) return n;
    return nullptr;
}

} // namespace quorvel::typeset::testing

#pragma once

#include "base/MessageSink.h"
#include "expr/ExprNode.h"
#include "expr/UndefinedReason.h"
#include "expr/VariableTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::expr {

// The shared state of the expression engine: one object for the whole program, owned by the
// application and passed by reference to everything that parses or evaluates.
class Engine {
public:
    explicit Engine(MessageSink& sink) : sink_(&sink) {}
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Where validation messages and the variable-table message go, for the whole run (the program gives a
    // sink that shows each distinct message once per command).
    MessageSink& sink() const { return *sink_; }

    // Frees the tree held by owner (null accepted). Freeing currentTree leaves it null.
    void freeTree(ExprTree& owner) { owner.reset(); }

    // The editor's and plotter's step "free currentTree, buildTree, linkParents": builds functionForm into
    // currentTree and returns its root, never null. A text that buildTree refuses gives a single empty
    // leaf, and the refusal is shown (caption "错误") unless quiet. ok (if given) tells which happened.
    ExprNode* rebuildCurrentTree(std::string_view functionForm, bool quiet = false, bool* ok = nullptr);

    // Shows a refusal of the parser (from toFunctionForm, expandPiecewise or buildTree) unless it is empty
    // or quiet. Returns true when there was nothing to report.
    bool reportRefusal(const std::string& refusal, bool quiet = false);

    VariableTable variables;
    // Where the last expanded piecewise formula is defined: 0 where no piece applies; empty if none.
    std::string domainText;
    // Why the last evaluate gave no value, when the reason has a message; None otherwise. The evaluator
    // shows nothing itself: a caller that shows a value shows this once (a curve shows nothing).
    UndefinedReason undefinedReason = UndefinedReason::None;
    // The one current tree shared by editor, plotter, demonstration and calculation objects.
    ExprTree currentTree;
    // Counts the calls of evaluate. An integral does not depend on x, so within one call it is computed
    // at most once, however often an enclosing integral asks for it.
    std::uint64_t evaluationPass = 0;

private:
    MessageSink* sink_;
};

} // namespace quorvel::expr

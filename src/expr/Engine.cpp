#include "expr/Engine.h"

#include "expr/Parser.h"

namespace quorvel::expr {

bool Engine::reportRefusal(const std::string& refusal, bool quiet) {
    if (refusal.empty()) return true;
    if (!quiet) sink_->show(refusal, kCaptionError, MessageIcon::Error);
    return false;
}

ExprNode* Engine::rebuildCurrentTree(std::string_view functionForm, bool quiet, bool* ok) {
    freeTree(currentTree);
    std::string refusal;
    currentTree = buildTree(functionForm, &refusal);
    linkParents(currentTree.get());
    const bool built = reportRefusal(refusal, quiet);
    if (ok) *ok = built;
    return currentTree.get();
}

} // namespace quorvel::expr

// Feeds arbitrary bytes through every step of the expression engine: the checks, conversion to the
// function form, piecewise expansion, tree building, evaluation, the calculation text and writing back
// must survive any text. The tree of a text that passes the checks, written back, builds the same tree,
// and is its function form itself unless a list construct or a group closed by another kind of bracket
// is written in its normal form.
#include "FuzzSupport.h"
#include "base/MessageSink.h"
#include "base/Utf8Text.h"
#include "expr/Calculation.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "expr/Validation.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quorvel;

namespace {

// A list construct is written with as many items as its count says (missing ones empty, extra ones
// dropped), and the bounds of ing1 always with their ";".
bool holdsListConstruct(const expr::ExprNode* node) {
    for (; node; node = node->next.get()) {
        const expr::Keyword k = node->exactKind;
        if (node->first &&
            (k == expr::Keyword::Lak || k == expr::Keyword::Con || k == expr::Keyword::Matrix ||
             k == expr::Keyword::Ing1 || (k == expr::Keyword::Range && node->third)))
            return true;
        for (const expr::ExprNode* child : {node->first.get(), node->second.get(), node->third.get()})
            if (holdsListConstruct(child)) return true;
    }
    return false;
}

// A group is written closed by its own kind of bracket: "[0,1)" gives "[0,1]".
bool closesAGroupByAnotherKind(std::string_view form) {
    std::string open;
    for (const char c : form) {
        if (c == '(' || c == '[' || c == '{') {
            open += c;
        } else if (c == ')' || c == ']' || c == '}') {
            if (open.empty()) return true;
            const char expected = open.back() == '(' ? ')' : open.back() == '[' ? ']' : '}';
            if (c != expected) return true;
            open.pop_back();
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RecordingSink sink;
    expr::Engine engine(sink);
    const bool valid = expr::validate(sink, text, true);
    const std::string form = expr::toFunctionForm(expr::stripBlanks(text));
    std::string expanded = expr::expandPiecewise(engine, text);
    expr::ExprNode* root = engine.rebuildCurrentTree(form, true);
    expr::collectVariables(engine, root);
    expr::evaluate(engine, root, 0.5);
    expr::evaluate(engine, root, -3.0);

    const std::string written = expr::treeToText(root);
    std::string refusal;
    const expr::ExprTree rebuilt = expr::buildTree(written, &refusal);
    // Texts the checks refuse may build trees whose leaves hold brackets, which no function form can
    // write unambiguously; written text beyond the parser's bounds (empty cells written out) is refused.
    // Text reaches the engine as valid UTF-8: the boundary where it enters replaces invalid bytes.
    if (valid && refusal.empty() && validUtf8(text) == text) {
        const std::string again = expr::treeToText(rebuilt.get());
        if (again != written) fuzz::fail("a written tree builds the same tree", written, again);
        std::string formRefusal;
        const expr::ExprTree formTree = expr::buildTree(form, &formRefusal);
        if (formRefusal.empty() && !holdsListConstruct(formTree.get()) && !closesAGroupByAnotherKind(form)) {
            const std::string back = expr::treeToText(formTree.get());
            if (back != form)
                fuzz::fail("the tree of a checked text writes back its function form", form, back);
        }
    }

    // The piecewise form goes through the same tree building as the curves do.
    engine.rebuildCurrentTree(expanded, true);
    (void)expr::calculationText(engine, text);
    (void)expr::calculationFormula(engine, text);
    return 0;
}

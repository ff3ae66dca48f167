// Feeds arbitrary bytes through every step of the expression engine: validation, rewriting, piecewise
// expansion, tree building, writing back and evaluation must survive any text.
#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "expr/Validation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quorvel::RecordingSink sink;
    quorvel::expr::Engine engine(sink);
    quorvel::expr::validate(sink, text, true);
    const std::string form = quorvel::expr::toFunctionForm(text);
    quorvel::expr::expandPiecewise(engine, text);
    quorvel::expr::ExprNode* root = engine.rebuildCurrentTree(form, true);
    quorvel::expr::collectVariables(engine, root);
    quorvel::expr::evaluate(engine, root, 0.5);
    const std::string written = quorvel::expr::treeToText(root);
    quorvel::expr::buildTree(written);
    return 0;
}

#pragma once

#include "expr/CheckFailure.h"
#include "expr/ExprNode.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::expr {

// Whether the text is to give a value (a curve, a calculation) or only a picture: a picture may hold
// an empty operand while it is being written, a value may not.
enum class Road { Picture, Value };
// Typed text is school notation, rewritten into markup first; literal text is markup as files store it.
enum class Reading { Typed, Literal };

// Typed text on its one road to a tree: rewriting, the checks, the function form and the tree.
struct Conversion {
    std::string canonical;    // blank-free markup: what is stored
    std::string functionForm; // the function form of canonical
    ExprTree tree;            // built from functionForm with its parents linked; null on failure
    // Why the text is refused; its positions (and those in its message) are in the text as given.
    std::optional<CheckFailure> failure;

    [[nodiscard]] bool ok() const { return !failure; }
};

[[nodiscard]] Conversion convertText(std::string_view text, Road road, Reading reading = Reading::Typed);

} // namespace quorvel::expr

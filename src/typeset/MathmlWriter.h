#pragma once

#include "expr/ExprNode.h"
#include "typeset/WriterSupport.h"

#include <string>
#include <string_view>

namespace quorvel::typeset {

// The formula as one presentation MathML <math> element (UTF-8), written from the same tree the
// typesetter lays out.
[[nodiscard]] std::string toMathml(const expr::ExprNode& root);

// The MathML of markup, or the messages of the input checks or the parser when they refuse it.
[[nodiscard]] WrittenFormula markupToMathml(std::string_view markup);

// A <math> element as a file of its own: the XML declaration, the element and a final line break.
[[nodiscard]] std::string mathmlDocument(std::string_view mathElement);

} // namespace quorvel::typeset

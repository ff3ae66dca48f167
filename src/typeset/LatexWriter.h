#pragma once

#include "expr/ExprNode.h"
#include "typeset/WriterSupport.h"

#include <string>
#include <string_view>

namespace quorvel::typeset {

// The formula as LaTeX math (without $ or \[ around it), written from the same tree the typesetter lays
// out. It needs the amsmath and amssymb packages; Chinese text is put in \text{...}.
[[nodiscard]] std::string toLatex(const expr::ExprNode& root);

// The LaTeX of markup, or the messages of the input checks or the parser when they refuse it.
[[nodiscard]] WrittenFormula markupToLatex(std::string_view markup);

// A whole document that shows the formula as a display: what a .tex export holds. Chinese text brings
// in the CJK package, so pdflatex (with the Chinese fonts of a TeX installation) typesets it as it is.
[[nodiscard]] std::string latexDocument(std::string_view formulaLatex);

} // namespace quorvel::typeset

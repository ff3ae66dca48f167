#pragma once

// LaTeX in: a formula pasted as LaTeX math becomes markup. It reads what typeset::toLatex writes (the
// round trip latex(fromLatex(latex(m))) == latex(m) holds for the editor's examples) and the LaTeX people
// write by hand or copy from other programs (MathType's {{x}^{2}}, \left\{\begin{array}…\right.).
// docs/decisions.md ("LaTeX in") says what is read and how.

#include <string>
#include <string_view>

namespace quorvel::expr {

// What reading a LaTeX formula gave: the markup, or why and where it was refused.
struct LatexReading {
    // The markup, which the input checks accept (findCheckFailure finds nothing); empty when refused.
    std::string markup;
    // Why the LaTeX was refused, in Chinese with the position in it; empty when it was read.
    std::string message;
    // The 1-based code point in the LaTeX text where reading failed (its last character when the text
    // ends too early); 0 when it was read.
    int position = 0;
    [[nodiscard]] bool ok() const { return message.empty(); }
};

// Reads LaTeX math (with or without $…$, \[…\] or \(…\) around it) into markup. Never throws; any text is
// safe. Texts beyond the input limits of Limits.h (64 KiB, nesting 1000) are refused.
[[nodiscard]] LatexReading readLatex(std::string_view latex);

// True when text is clearly LaTeX rather than markup: it holds a backslash command, a ^{ or _{ group,
// or is wrapped in $…$. The editor converts such a paste with readLatex.
[[nodiscard]] bool looksLikeLatex(std::string_view text);

} // namespace quorvel::expr

#pragma once

namespace quorvel::expr::markup {

// Character classes of the markup, on whole characters (code points).

inline bool isOpening(char32_t c) {
    return c == U'(' || c == U'[' || c == U'{';
}
inline bool isClosing(char32_t c) {
    return c == U')' || c == U']' || c == U'}';
}
inline bool isBracket(char32_t c) {
    return isOpening(c) || isClosing(c);
}

// The eleven operator characters that are two bytes in GBK: ≠ ≡ ≈ → ± · × ⊥ ∥ ≌ ∽.
bool isSpecial(char32_t c);

// The characters whose GBK code starts with the byte 0xA1 (the symbol row: 、。·±×÷≠≤∞→ and so on).
bool isGbkSymbolRow(char32_t c);

} // namespace quorvel::expr::markup

#pragma once

#include "document/Document.h"

#include <string>

namespace quorvel::document::testing {

// Joins lines with CR LF, each line ending with one, as the document text does.
inline std::string crlfLines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

inline DEFINEFUN itemWithBox(int left, int top, int right, int bottom, std::string expression = "Y=X") {
    DEFINEFUN c;
    c.labelLeft = left;
    c.labelTop = top;
    c.labelRight = right;
    c.labelBottom = bottom;
    c.kind = KindCustomFunction;
    c.expression = std::move(expression);
    return c;
}

inline REMARK remarkWith(std::string text, int left = 0, int top = 0) {
    REMARK r;
    r.text = std::move(text);
    r.left = left;
    r.top = top;
    r.right = left + 30;
    r.bottom = top + 12;
    return r;
}

} // namespace quorvel::document::testing

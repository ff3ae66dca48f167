#include "editor/core/InputText.h"

#include "base/Utf8Text.h"

namespace quorvel::editor {

JoinedInput joinInput(std::u32string_view input, Blanks blanks) {
    JoinedInput out;
    std::size_t lineStart = 0;
    while (lineStart <= input.size()) {
        std::size_t lineEnd = input.find(U'\n', lineStart);
        if (lineEnd == std::u32string_view::npos) lineEnd = input.size();
        if (lineEnd == lineStart) break; // an empty line ends the formula
        for (std::size_t i = lineStart; i < lineEnd; ++i) {
            const char32_t c = input[i];
            if (c == U'\r' || (c == U' ' && blanks == Blanks::Remove)) continue;
            appendUtf8(out.text, c);
            out.source.push_back(static_cast<int>(i));
        }
        lineStart = lineEnd + 1;
    }
    return out;
}

int inputIndexOf(const JoinedInput& joined, int charPosition) {
    if (joined.source.empty()) return -1;
    const int k = charPosition - 1;
    if (k < 0) return joined.source.front();
    if (k >= static_cast<int>(joined.source.size())) return joined.source.back() + 1;
    return joined.source[static_cast<std::size_t>(k)];
}

} // namespace quorvel::editor

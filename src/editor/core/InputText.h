#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::editor {

// The formula the editor works on: the input's lines from the first, joined without separators up to the
// first empty line, with the blanks removed (or kept: typed notation reads them, sin x). It never holds
// a line break.
struct JoinedInput {
    std::string text;        // UTF-8
    std::vector<int> source; // for each code point of text, its code point index in the input
};

// input: the whole input with lines separated by "\n" (as a plain-text editor gives it).
enum class Blanks { Remove, Keep };
[[nodiscard]] JoinedInput joinInput(std::u32string_view input, Blanks blanks = Blanks::Remove);

// Where a check's 1-based character position in the joined text lies in the input (a code point index);
// a position past the end maps just behind the last joined character, and -1 when nothing was joined.
int inputIndexOf(const JoinedInput& joined, int charPosition);

} // namespace quorvel::editor

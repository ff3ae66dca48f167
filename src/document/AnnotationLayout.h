#pragma once

#include "document/Records.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::document {

// The lines an annotation is drawn in: the pieces of its text before each CR LF after one more CR LF
// is appended, so an empty text is one empty line and a text ending in CR LF has an empty last line.
std::vector<std::string_view> annotationLines(std::string_view text);

// Sets right and bottom from the text: right = left + the widest line, bottom = top + lines × line
// height. textWidth measures one line in the annotation's font; lineHeight is the height of "temp" in
// that font.
void measureAnnotation(REMARK& remark, int lineHeight, const std::function<int(std::string_view)>& textWidth);

} // namespace quorvel::document

#include "document/AnnotationLayout.h"

#include "document/FieldReader.h"

#include <algorithm>

namespace quorvel::document {

std::vector<std::string_view> annotationLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(kCrLf, start);
        if (at == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + kCrLf.size();
    }
}

void measureAnnotation(REMARK& remark, int lineHeight,
                       const std::function<int(std::string_view)>& textWidth) {
    const auto lines = annotationLines(remark.text);
    int widest = 0;
    for (const auto line : lines)
        widest = std::max(widest, textWidth ? textWidth(line) : 0);
    remark.right = clampedAdd(remark.left, widest);
    remark.bottom = clampedAdd(remark.top, static_cast<long long>(lines.size()) * lineHeight);
}

} // namespace quorvel::document

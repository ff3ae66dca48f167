#pragma once

#include <cstdint>

namespace quorvel::graph {

// Where a sheet lands on a page whose printable area is pageWidth x pageHeight device pixels.
struct PageArea {
    int width = 0;
    int height = 0;
};

// At the top left corner, as wide as the printable area and as high as page width x sheet height / sheet
// width (integer arithmetic, truncated), so the sheet keeps its proportions. A sheet that would then run
// off the bottom of the page is scaled to the page height instead, so nothing of it is lost. An empty
// page or sheet gives an empty area.
inline PageArea sheetPageArea(int pageWidth, int pageHeight, int sheetWidth, int sheetHeight) {
    if (pageWidth <= 0 || pageHeight <= 0 || sheetWidth <= 0 || sheetHeight <= 0) return {};
    std::int64_t width = pageWidth;
    std::int64_t height = width * sheetHeight / sheetWidth;
    if (height > pageHeight) {
        height = pageHeight;
        width = height * sheetWidth / sheetHeight;
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

} // namespace quorvel::graph

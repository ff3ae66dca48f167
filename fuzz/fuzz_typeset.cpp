// Lays out and draws any markup on a canvas that draws nothing, at a font size and pen position taken
// from the input: no crash, no overflow, and nothing drawn outside the picture the layout promised.
#include "FuzzSupport.h"
#include "base/Utf8Text.h"
#include "typeset/BoundsCanvas.h"
#include "typeset/FormulaStyle.h"
#include "typeset/TypesetFormula.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace quorvel;
using typeset::Canvas;
using typeset::Color;

namespace {

// Fixed metrics: a character is size / 2 wide, every text size + 4 high, ink 3 rows below the top.
class NullCanvas : public Canvas {
public:
    void setFontName(const std::string& face) override { face_ = face; }
    std::string fontName() const override { return face_; }
    void setFontSize(int points) override { size_ = std::clamp(points, 1, 2000); }
    int fontSize() const override { return size_; }
    void setFontPixelHeight(int pixels) override { size_ = std::clamp(pixels, 1, 2000); }
    int fontPixelHeight() const override { return size_; }
    void setFontStyle(bool, bool, bool, bool) override {}
    void setFontColor(Color) override {}
    int textWidth(std::string_view text) override {
        return static_cast<int>(std::min<std::size_t>(toCodePoints(text).size(), 1 << 20)) * (size_ / 2);
    }
    int textHeight(std::string_view) override { return size_ + 4; }
    void textOut(int, int, std::string_view) override {}
    void textRect(const typeset::Rect&, int, int, std::string_view) override {}
    void setPen(Color color, int, typeset::PenStyle) override { pen_ = color; }
    void setPenColor(Color color) override { pen_ = color; }
    Color penColor() const override { return pen_; }
    void setBrush(Color, typeset::BrushStyle) override {}
    void line(int, int, int, int) override {}
    void polyline(const std::vector<typeset::Point>&) override {}
    void rectangle(const typeset::Rect&) override {}
    void ellipse(const typeset::Rect&) override {}
    void fillRect(const typeset::Rect&) override {}
    int inkRow(std::string_view text, int boxWidth, int boxHeight, int direction) override {
        if (text.empty() || boxWidth <= 0 || boxHeight <= 0) return 0;
        return direction > 0 ? std::min(3, boxHeight - 1) : std::max(0, boxHeight - 5);
    }

private:
    std::string face_ = typeset::FormulaStyle::kDefaultFontName;
    int size_ = typeset::FormulaStyle::kDefaultFontSize;
    Color pen_ = typeset::kBlack;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    typeset::FormulaStyle style;
    style.fontSize =
        input.inRange(typeset::FormulaStyle::kMinFontSize, typeset::FormulaStyle::kMaxFontSize, 2);
    // Sheet positions: labels and formula objects lie anywhere a document puts them.
    const int x = input.inRange(-(1 << 22), 1 << 22, 3);
    const int y = input.inRange(-(1 << 22), 1 << 22, 3);

    NullCanvas metrics;
    std::string refusal;
    typeset::TypesetFormula formula =
        typeset::TypesetFormula::fromMarkup(input.rest(), style, metrics, &refusal);
    typeset::BoundsCanvas bounds(metrics);
    formula.drawPicture(bounds, x, y);
    if (!bounds.empty()) {
        const typeset::Rect& b = bounds.bounds();
        if (b.left < x || b.top < y || b.right > x + formula.pictureWidth() ||
            b.bottom > y + formula.pictureHeight())
            fuzz::fail("drawing stays inside the picture", input.rest(),
                       "bounds " + std::to_string(b.left) + "," + std::to_string(b.top) + "," +
                           std::to_string(b.right) + "," + std::to_string(b.bottom) + " picture at " +
                           std::to_string(x) + "," + std::to_string(y) + " size " +
                           std::to_string(formula.pictureWidth()) + "x" +
                           std::to_string(formula.pictureHeight()));
    }
    // Labels on the sheet are drawn from the pen position instead of the picture's corner.
    typeset::BoundsCanvas labels(metrics);
    formula.drawAt(labels, x, y);
    return 0;
}

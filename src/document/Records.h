#pragma once

#include "document/FontSpec.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::document {

// What a graph item is. Kinds 2 and 3 are curves y = f(x) sampled by pixel columns; 0 and 4 are pictures in
// their box; 5 … 8 are curves of the plane (their line is traced for the view, not sampled by columns).
// The numbers are what the document text stores.
enum ItemKind : int {
    KindCalculation = 0,
    KindCustomFunction = 2,
    KindTemplateFunction = 3,
    KindFormulaPicture = 4,
    KindParametric = 5, // x = f(t), y = g(t) for t in [domainStart, domainEnd]
    KindPolar = 6,      // r = f(θ) for θ in [domainStart, domainEnd]
    KindImplicit = 7,   // F(x, y) = G(x, y)
    KindRegion = 8,     // inequalities in x and y, one or a system: the shaded set where all hold
};

// True for the kinds this program reads and draws.
constexpr bool knownItemKind(int kind) {
    return kind == KindCalculation || (kind >= KindCustomFunction && kind <= KindRegion);
}
constexpr bool isPlaneKind(int kind) {
    return kind >= KindParametric && kind <= KindRegion;
}

// Geometry the graph layer derives for a curve of the plane (its traced lines and fill): derived data like
// the samples, never stored; opaque to the document except for the press test.
class ItemShape {
public:
    virtual ~ItemShape() = default;
    // True when sheet point (x, y) lies within tolerance pixels of a drawn line of the item.
    [[nodiscard]] virtual bool lineNear(double x, double y, double tolerance) const = 0;
};

constexpr int kMaxParams = 100;
constexpr double kDefaultDomainStart = -9999;
constexpr double kDefaultDomainEnd = 9999;
constexpr int kBlue = 0xFF0000; // colour values: red in the lowest byte, then green, then blue

// Where a curve's branch meets a break (a pole, a jump, the band's edge or the end of the domain) inside
// the interval between two neighbouring columns. After: the branch through `column` goes on towards the
// right; Before: it comes in from the left. `path` holds the values the branch takes on the way from
// the column's own sample to its true end, each within the jump of the one before, so the drawing can
// join them at the column's pixel without ever drawing a line longer than the jump.
enum class BranchSide { After, Before };
struct BranchEnd {
    int column;
    BranchSide side;
    bool joinsNext; // After only: the branch really runs on into the next column (a steep stretch)
    std::vector<double> path;
};

// One graph item: a function curve, a formula picture or a calculation object.
struct DEFINEFUN {
    // The item's box on the sheet, pixels. For curves it holds the typeset label; for kinds 0 and 4 it
    // is the whole object.
    int labelLeft = 0;
    int labelTop = 0;
    int labelRight = 0;
    int labelBottom = 0;
    double domainStart = kDefaultDomainStart;
    double domainEnd = kDefaultDomainEnd;
    int kind = KindCalculation;
    std::string expression; // the markup, e.g. "Y=A*sin(B*X+C)"

    // Samples, one per sheet pixel column; derived data, never stored in the document text. Their
    // length follows the sheet width (see resizeSamples).
    std::vector<std::uint8_t> defined; // 1 where ys holds a value
    std::string name;                  // empty: a default name is given at the next draw
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<BranchEnd> branchEnds;      // derived like the samples, ordered by column, After first
    std::shared_ptr<const ItemShape> shape; // curves of the plane: derived at drawing, for the view drawn

    std::array<int, 6> labelColours{}; // the six FormulaStyle colours used for the label
    std::string labelFontName = "Times New Roman";
    int thickLine = 0; // 0: pen width 1, otherwise 2
    int labelFontSize = 16;
    int colour = 0;
    int paramCount = 0; // 0 … kMaxParams
    std::array<std::string, kMaxParams> paramNames;
    std::array<double, kMaxParams> paramValues{};

    // A curve y = f(x), sampled by columns.
    bool isCurve() const { return kind == KindCustomFunction || kind == KindTemplateFunction; }
    // A curve of the plane: parametric, polar, implicit or a region.
    bool isPlaneCurve() const { return isPlaneKind(kind); }
    // Any item drawn as a line with a formula label (as opposed to a picture in its box).
    bool hasLine() const { return isCurve() || isPlaneCurve(); }
    int boxWidth() const { return labelRight - labelLeft; }
    int boxHeight() const { return labelBottom - labelTop; }

    // Gives the sample buffers one entry per column (cleared to "no value"). Negative counts give none.
    void resizeSamples(int columns);
    // True when column holds a sampled value; any column outside the buffers has none.
    bool hasValueAt(int column) const;
    int sampleColumns() const { return static_cast<int>(defined.size()); }

    // True when every stored field (not the samples) is equal.
    bool sameStoredFields(const DEFINEFUN& other) const;
};

// One annotation: multi-line text in a font of its own. Lines of text are separated by CR LF.
struct REMARK {
    FontSpec font;
    std::string text;
    int left = 0;
    int top = 0;
    int right = 0; // right and bottom are measured from text and font at every draw
    int bottom = 0;

    bool operator==(const REMARK&) const = default;
};

} // namespace quorvel::document

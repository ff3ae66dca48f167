// Matrices (in square brackets) and determinants (between bars): cells on a grid of rows and columns.
#include "Box.h"

#include <vector>

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;
using expr::Keyword;

// Row and column counts of a matrix or determinant, bounded by the engine's limits.
struct MatrixShape {
    int rows;
    int columns;
};
MatrixShape shapeOf(const ExprNode& node) {
    return {readCount(node.first.get(), kMaxMatrixSide), readCount(node.second.get(), kMaxMatrixSide)};
}

// The cell sizes of a matrix laid out on its grid: the walk starts at `third` and follows `next`; when the
// chain runs out early, the last cell stands in for every remaining position.
template <typename MeasureFn>
void gridMaxima(ExprNode& node, MatrixShape shape, MeasureFn measure, std::vector<int>& rowMax,
                std::vector<int>& columnMax) {
    rowMax.assign(static_cast<std::size_t>(shape.rows), 0);
    columnMax.assign(static_cast<std::size_t>(shape.columns), 0);
    const long long positions = static_cast<long long>(shape.rows) * shape.columns;
    long long k = 0;
    int last = 0;
    bool any = false;
    for (ExprNode* cell = node.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        last = measure(*cell);
        any = true;
        auto& r = rowMax[static_cast<std::size_t>(k / shape.columns)];
        auto& c = columnMax[static_cast<std::size_t>(k % shape.columns)];
        r = std::max(r, last);
        c = std::max(c, last);
    }
    if (!any || k >= positions) return;
    for (long long row = k / shape.columns; row < shape.rows; ++row)
        rowMax[static_cast<std::size_t>(row)] = std::max(rowMax[static_cast<std::size_t>(row)], last);
    const long long remaining = std::min<long long>(positions - k, shape.columns);
    for (long long i = k; i < k + remaining; ++i) {
        auto& c = columnMax[static_cast<std::size_t>(i % shape.columns)];
        c = std::max(c, last);
    }
}

long long sum(const std::vector<int>& values) {
    long long total = 0;
    for (int v : values)
        total += v;
    return total;
}

void heightMatrix(Walk& walk, ExprNode& n) {
    std::vector<int> rows, columns;
    gridMaxima(
        n, shapeOf(n), [&](ExprNode& cell) { return static_cast<int>(walk.h(&cell)); }, rows, columns);
    const long long total = sum(rows) + 5;
    setHeights(n, total, total);
}

void widthMatrix(Walk& walk, ExprNode& n) {
    const MatrixShape shape = shapeOf(n);
    std::vector<int> rows, columns;
    gridMaxima(
        n, shape, [&](ExprNode& cell) { return static_cast<int>(walk.w(&cell)); }, rows, columns);
    const long long total = sum(columns) + 10LL * shape.columns + 12;
    setWidths(n, total - 2, total);
}

void drawMatrix(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    canvas.setPenColor(t.style.colors.operatorColor);
    if (n.kind == Keyword::Matrix)
        t.drawMatrixBrackets(n, canvas);
    else
        t.drawDeterminantBars(n, canvas);

    const int rows = readCount(n.first.get(), kMaxMatrixSide);
    const int columns = readCount(n.second.get(), kMaxMatrixSide);
    const long long positions = static_cast<long long>(rows) * columns;
    std::vector<int> rowHeight(static_cast<std::size_t>(rows), 0);
    std::vector<int> columnWidth(static_cast<std::size_t>(columns), 0);
    long long k = 0;
    for (ExprNode* cell = n.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        auto& r = rowHeight[static_cast<std::size_t>(k / columns)];
        auto& c = columnWidth[static_cast<std::size_t>(k % columns)];
        r = std::max(r, cell->height);
        c = std::max(c, cell->width);
    }
    std::vector<int> above(static_cast<std::size_t>(rows), 0);
    std::vector<int> before(static_cast<std::size_t>(columns), 0);
    for (int i = 1; i < rows; ++i)
        above[i] = above[i - 1] + rowHeight[i - 1];
    for (int j = 1; j < columns; ++j)
        before[j] = before[j - 1] + columnWidth[j - 1];

    k = 0;
    for (ExprNode* cell = n.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        const auto i = static_cast<std::size_t>(k / columns);
        const auto j = static_cast<std::size_t>(k % columns);
        const int ri = rowHeight[i];
        t.penAxis = n.axis + above[i] + ri - half(ri + n.height);
        t.penX = n.left + 10 + 10 * static_cast<int>(j) + before[j] + half(columnWidth[j] - cell->width);
        walk.draw(cell);
    }
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

const Box kMatrixBox{heightMatrix, widthMatrix, drawMatrix};

} // namespace detail

using expr::ExprNode;

void Typesetter::drawMatrixBrackets(const ExprNode& n, Canvas& canvas) {
    const int top = n.axis - half(n.headHeight);
    const int bottom = n.axis + half(n.headHeight);
    const int left = n.left;
    const int right = n.left + n.headWidth;
    const detail::StrokePen pen(canvas);
    // The serifs grow with the stroke but stay within the outer columns of the matrix.
    const double serif = std::min(7.5 * pen.width(), std::max(7.5, n.headWidth / 4.0));
    const int leftSerif = static_cast<int>(left + serif);
    const int rightSerif = static_cast<int>(right - serif);
    canvas.polyline({{leftSerif, top}, {left, top}, {left, bottom}, {leftSerif, bottom}});
    canvas.polyline({{rightSerif, top}, {right, top}, {right, bottom}, {rightSerif, bottom}});
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawDeterminantBars(const ExprNode& n, Canvas& canvas) {
    const int top = n.axis - half(n.headHeight);
    const int bottom = n.axis + half(n.headHeight);
    const detail::StrokePen pen(canvas);
    canvas.line(n.left, top, n.left, bottom);
    canvas.line(n.left + n.width, top, n.left + n.width, bottom);
    canvas.setPenColor(style.colors.variableColor);
}

} // namespace quorvel::typeset

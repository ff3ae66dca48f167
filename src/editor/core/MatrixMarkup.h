#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvel::editor {

// Matrices and determinants are written matrix(r,c,cell;cell;...) and range(r,c,...), cells row by row.
enum class MatrixKind { Matrix, Determinant };
enum class EntryMethod { None, Simple, Complex }; // Simple: a cell grid; Complex: placeholder cells

// The engine refuses more rows or columns than this; the dimension dialog refuses them first.
inline constexpr int kMaxMatrixSide = 100;

struct Dimensions {
    int rows = 0;
    int columns = 0;
    friend bool operator==(const Dimensions&, const Dimensions&) = default;
};

// What the dimension dialog holds when its OK is pressed.
struct DimensionInput {
    MatrixKind kind = MatrixKind::Matrix;
    std::string rows;
    std::string columns;
    EntryMethod method = EntryMethod::Simple;
};

// The dimension dialog's checks in their order: empty edits, digits only, 1 … kMaxMatrixSide, a
// determinant's sides compared as numbers, a method chosen. The message of the first failure, or the sizes.
[[nodiscard]] std::variant<Dimensions, std::string> checkDimensions(const DimensionInput& input);

// "r,c," as inserted between the brackets of "matrix()" or "range()".
std::string dimensionsText(Dimensions size);
// The complex method's cells: X_ _11;X_ _12;...;X_ _rc (indices written one after the other).
std::string placeholderCells(Dimensions size);
// The cell grid's text: cells of a row joined by ";", rows joined by ";"; empty cells stay empty fields.
std::string joinCells(const std::vector<std::vector<std::string>>& cells);

// The variable grid: one value text per variable. Either every value, or the first bad row with its message.
struct VariableProblem {
    int row = 0;
    std::string message; // "你输入的变量" + name + "不正确！"
};
[[nodiscard]] std::variant<std::vector<double>, VariableProblem>
readVariableValues(const std::vector<std::string>& names, const std::vector<std::string>& texts);

} // namespace quorvel::editor

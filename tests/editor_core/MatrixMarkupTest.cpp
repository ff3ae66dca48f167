#include "editor/core/MatrixMarkup.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvel::editor {
namespace {

constexpr const char* kEmpty = "请输入您想创建对象的维数!!!";
constexpr const char* kBad = "输入有误";
constexpr const char* kUnequal = "行列式的行和列的数目不等！";
constexpr const char* kNoMethod = "你选择要输入的方式！";

struct DimensionRow {
    MatrixKind kind;
    const char* rows;
    const char* columns;
    EntryMethod method;
    const char* message; // nullptr: accepted with `size`
    Dimensions size;
};

TEST(MatrixMarkup, CheckDimensionsInOrder) {
    const MatrixKind M = MatrixKind::Matrix;
    const MatrixKind D = MatrixKind::Determinant;
    const EntryMethod S = EntryMethod::Simple;
    const EntryMethod C = EntryMethod::Complex;
    const EntryMethod N = EntryMethod::None;
    const DimensionRow rows[] = {
        {M, "2", "3", S, nullptr, {2, 3}},
        {D, "2", "3", S, kUnequal, {}},
        {D, "3", "3", C, nullptr, {3, 3}},
        {D, "02", "2", S, nullptr, {2, 2}}, // sizes compare as numbers
        {M, "007", "100", C, nullptr, {7, 100}},
        {M, "", "2", S, kEmpty, {}},
        {M, "2", "", S, kEmpty, {}},
        {M, "", "x", N, kEmpty, {}}, // emptiness is checked before the digits
        {M, " 2", "2", S, kBad, {}},
        {M, "2", "2 ", S, kBad, {}},
        {M, "-2", "2", S, kBad, {}},
        {M, "2.0", "2", S, kBad, {}},
        {M, "0", "2", S, kBad, {}},
        {M, "2", "000", S, kBad, {}},
        {M, "101", "2", S, kBad, {}},
        {M, "99999", "99999", C, kBad, {}},
        {D, "0", "1", S, kBad, {}}, // the range is checked before the determinant's sides
        {M, "99999999999999999999999", "2", S, kBad, {}},
        {D, "2", "3", N, kUnequal, {}},
        {M, "2", "3", N, kNoMethod, {}},
    };
    for (const DimensionRow& row : rows) {
        SCOPED_TRACE(std::string(row.rows) + " x " + row.columns);
        const auto result = checkDimensions({row.kind, row.rows, row.columns, row.method});
        if (row.message) {
            ASSERT_TRUE(std::holds_alternative<std::string>(result));
            EXPECT_EQ(std::get<std::string>(result), row.message);
        } else {
            ASSERT_TRUE(std::holds_alternative<Dimensions>(result));
            EXPECT_EQ(std::get<Dimensions>(result), row.size);
        }
    }
}

TEST(MatrixMarkup, TextsOfTheComplexMethod) {
    EXPECT_EQ(dimensionsText({2, 3}), "2,3,");
    EXPECT_EQ(placeholderCells({2, 2}), "X_ _11;X_ _12;X_ _21;X_ _22");
    EXPECT_EQ(placeholderCells({1, 1}), "X_ _11");

    std::vector<std::string> cells;
    std::stringstream big(placeholderCells({11, 11}));
    for (std::string cell; std::getline(big, cell, ';');)
        cells.push_back(cell);
    ASSERT_EQ(cells.size(), 121u);
    // Row 1 column 11 and row 11 column 1 share a name: the indices run together.
    EXPECT_EQ(cells[10], "X_ _111");
    EXPECT_EQ(cells[110], "X_ _111");
    EXPECT_EQ(cells[120], "X_ _1111");
}

TEST(MatrixMarkup, JoinCellsKeepsEmptyFields) {
    EXPECT_EQ(joinCells({{"1", "2"}, {"3", "4"}}), "1;2;3;4");
    EXPECT_EQ(joinCells({{"a", ""}, {"", "d"}}), "a;;;d");
    EXPECT_EQ(joinCells({{""}, {""}}), ";");
    EXPECT_EQ(joinCells({}), "");
}

TEST(MatrixMarkup, VariableValuesAllOrNothing) {
    const auto good = readVariableValues({"a", "b", "c"}, {" 1.5 ", "-2", "1E3"});
    ASSERT_TRUE(std::holds_alternative<std::vector<double>>(good));
    EXPECT_EQ(std::get<std::vector<double>>(good), (std::vector<double>{1.5, -2, 1000}));

    struct Row {
        std::vector<std::string> texts;
        int row;
        const char* message;
    };
    const Row rows[] = {
        {{"1", "x", "y"}, 1, "你输入的变量b不正确！"}, // the first bad row, not the last
        {{"", "2", "3"}, 0, "你输入的变量a不正确！"},
        {{"1", "2", "3 4"}, 2, "你输入的变量c不正确！"},
    };
    for (const Row& row : rows) {
        const auto result = readVariableValues({"a", "b", "c"}, row.texts);
        ASSERT_TRUE(std::holds_alternative<VariableProblem>(result));
        EXPECT_EQ(std::get<VariableProblem>(result).row, row.row);
        EXPECT_EQ(std::get<VariableProblem>(result).message, row.message);
    }
}

} // namespace
} // namespace quorvel::editor

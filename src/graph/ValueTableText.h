#pragma once

#include "base/UiText.h"
#include "graph/CurveAnalysis.h"

#include <string>
#include <vector>

namespace quorvel::graph {

// A table of values: x in the first column and one column of y per curve, for start + k·step.
struct ValueTable {
    std::vector<std::string> headers; // "x", then the curves' names
    std::vector<double> xs;
    std::vector<std::vector<std::optional<double>>> columns; // per curve, one per x
};

// The table for the curves (named by names) from start by step, rows long (at most kMaxTableRows).
[[nodiscard]] ValueTable valueTable(const std::vector<CurveFunction>& curves,
                                    const std::vector<std::string>& names, double start, double step,
                                    int rows);

// The cell of row r, column c (0 is x) in the program's number format, kNoValueText where the curve has no
// value.
inline constexpr const char* kNoValueText = UI_TEXT("无定义");
[[nodiscard]] std::string cellText(const ValueTable& table, std::size_t row, std::size_t column);

// Tab-separated lines a spreadsheet pastes into cells; CSV (RFC 4180 quoting) for a file.
[[nodiscard]] std::string tableTsv(const ValueTable& table);
[[nodiscard]] std::string tableCsv(const ValueTable& table);

} // namespace quorvel::graph

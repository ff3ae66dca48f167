#include "editor/core/MatrixMarkup.h"

#include "base/NumberFormat.h"
#include "base/UiText.h"

#include <algorithm>
#include <optional>

namespace quorvel::editor {

namespace {

constexpr const char* kMessageEmpty = UI_TEXT("请输入您想创建对象的维数!!!");
constexpr const char* kMessageBadInput = UI_TEXT("输入有误");
constexpr const char* kMessageUnequal = UI_TEXT("行列式的行和列的数目不等！");
constexpr const char* kMessageNoMethod = UI_TEXT("你选择要输入的方式！");

bool digitsOnly(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a digit string when it lies in 1 … kMaxMatrixSide. Leading zeros are skipped first so
// that an arbitrarily long string cannot overflow.
std::optional<int> sideValue(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return std::nullopt; // all zeros
    digits.remove_prefix(first);
    if (digits.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    if (value < 1 || value > kMaxMatrixSide) return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::variant<Dimensions, std::string> checkDimensions(const DimensionInput& input) {
    if (input.rows.empty() || input.columns.empty()) return std::string(kMessageEmpty);
    if (!digitsOnly(input.rows) || !digitsOnly(input.columns)) return std::string(kMessageBadInput);
    const std::optional<int> rows = sideValue(input.rows);
    const std::optional<int> columns = sideValue(input.columns);
    // Zero sides give an empty object and huge ones exhaust memory; the engine refuses over the limit anyway.
    if (!rows || !columns) return std::string(kMessageBadInput);
    if (input.kind == MatrixKind::Determinant && *rows != *columns) return std::string(kMessageUnequal);
    if (input.method == EntryMethod::None) return std::string(kMessageNoMethod);
    return Dimensions{*rows, *columns};
}

std::string dimensionsText(Dimensions size) {
    return std::to_string(size.rows) + "," + std::to_string(size.columns) + ",";
}

std::string placeholderCells(Dimensions size) {
    std::string text;
    for (int i = 1; i <= size.rows; ++i) {
        for (int j = 1; j <= size.columns; ++j) {
            if (i > 1 || j > 1) text += ';';
            // The indices run together without a separator, so 1,11 and 11,1 give the same name.
            text += "X_ _" + std::to_string(i) + std::to_string(j);
        }
    }
    return text;
}

std::string joinCells(const std::vector<std::vector<std::string>>& cells) {
    std::string text;
    bool first = true;
    for (const auto& row : cells) {
        for (const std::string& cell : row) {
            if (!first) text += ';';
            first = false;
            text += cell;
        }
    }
    return text;
}

std::variant<std::vector<double>, VariableProblem> readVariableValues(const std::vector<std::string>& names,
                                                                      const std::vector<std::string>& texts) {
    std::vector<double> values;
    values.reserve(texts.size());
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const std::optional<double> value = parseDecimal(trimmed(texts[row]));
        if (!value) {
            const std::string name = row < names.size() ? names[row] : std::string();
            return VariableProblem{static_cast<int>(row),
                                   fillTemplate(UI_TEXT("你输入的变量%1不正确！"), {name})};
        }
        values.push_back(*value);
    }
    return values;
}

} // namespace quorvel::editor

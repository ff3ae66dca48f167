#include "graph/ValueTableText.h"

#include "base/NumberFormat.h"

namespace quorvel::graph {

ValueTable valueTable(const std::vector<CurveFunction>& curves, const std::vector<std::string>& names,
                      double start, double step, int rows) {
    ValueTable table;
    table.headers.push_back("x");
    for (std::size_t i = 0; i < curves.size(); ++i) {
        table.headers.push_back(i < names.size() ? names[i] : std::string("y"));
        const std::vector<TableRow> values = tableOfValues(curves[i], start, step, rows);
        if (table.xs.empty())
            for (const TableRow& row : values)
                table.xs.push_back(row.x);
        std::vector<std::optional<double>> column;
        for (const TableRow& row : values)
            column.push_back(row.y);
        table.columns.push_back(std::move(column));
    }
    return table;
}

std::string cellText(const ValueTable& table, std::size_t row, std::size_t column) {
    if (column == 0) return formatGeneral(table.xs.at(row));
    const std::optional<double>& y = table.columns.at(column - 1).at(row);
    return y ? formatGeneral(*y) : kNoValueText;
}

namespace {

std::string joined(const ValueTable& table, char separator, std::string (*field)(const std::string&)) {
    std::string out;
    const std::size_t columns = table.headers.size();
    for (std::size_t c = 0; c < columns; ++c)
        out += (c ? std::string(1, separator) : std::string()) + field(table.headers[c]);
    out += "\r\n";
    for (std::size_t r = 0; r < table.xs.size(); ++r) {
        for (std::size_t c = 0; c < columns; ++c)
            out += (c ? std::string(1, separator) : std::string()) + field(cellText(table, r, c));
        out += "\r\n";
    }
    return out;
}

std::string asTsvField(const std::string& text) {
    std::string out = text;
    for (char& ch : out)
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    return out;
}

std::string asCsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char ch : text)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

} // namespace

std::string tableTsv(const ValueTable& table) {
    return joined(table, '\t', &asTsvField);
}

std::string tableCsv(const ValueTable& table) {
    return joined(table, ',', &asCsvField);
}

} // namespace quorvel::graph

#include "expr/VariableTable.h"

#include <algorithm>

namespace quorvel::expr {

int VariableTable::find(std::string_view name) const {
    for (int i = 0; i < count_; ++i)
        if (names_[static_cast<std::size_t>(i)] == name) return i;
    return -1;
}

bool VariableTable::append(std::string name, double value) {
    if (full()) return false;
    names_[static_cast<std::size_t>(count_)] = std::move(name);
    values_[static_cast<std::size_t>(count_)] = value;
    ++count_;
    ++generation_;
    return true;
}

bool VariableTable::assign(std::string_view name, double value) {
    const int index = find(name);
    if (index >= 0) {
        setValue(index, value);
        return true;
    }
    return append(std::string(name), value);
}

void VariableTable::clear() {
    for (auto& name : names_)
        name.clear();
    values_.fill(0);
    count_ = 0;
    ++generation_;
}

void VariableTable::load(std::span<const std::string> names, std::span<const double> values) {
    clear();
    const std::size_t n = std::min({names.size(), values.size(), static_cast<std::size_t>(kCapacity)});
    for (std::size_t i = 0; i < n; ++i) {
        names_[i] = names[i];
        values_[i] = values[i];
    }
    count_ = static_cast<int>(n);
}

} // namespace quorvel::expr

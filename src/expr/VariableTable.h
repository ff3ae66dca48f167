#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel::expr {

// The names that occur in a formula with their values, in order of first appearance. Names are only
// appended (or the whole table is cleared or reloaded); values may change at any time.
class VariableTable {
public:
    static constexpr int kCapacity = 100;

    int count() const { return count_; }
    bool full() const { return count_ >= kCapacity; }
    const std::string& name(int index) const { return names_[static_cast<std::size_t>(index)]; }
    double value(int index) const { return values_[static_cast<std::size_t>(index)]; }
    void setValue(int index, double value) { values_[static_cast<std::size_t>(index)] = value; }

    // Index of the first entry whose name equals name exactly, or -1.
    int find(std::string_view name) const;
    // Appends name with value; false (and nothing changes) when the table is full.
    bool append(std::string name, double value);
    // Sets the value of an existing name, or appends it. False when it is new and the table is full.
    bool assign(std::string_view name, double value);
    // Empties every entry (names to empty, values to 0) and sets the count to 0.
    void clear();
    // Replaces the whole table by the first min(names.size(), values.size(), kCapacity) pairs, as a curve
    // record's parameters are loaded before the curve is sampled.
    void load(std::span<const std::string> names, std::span<const double> values);

    // Changes whenever the set of names changes (not when a value changes). Trees cache the index of a
    // name per leaf and look it up again when this differs.
    std::uint64_t generation() const { return generation_; }

private:
    std::array<std::string, kCapacity> names_{};
    std::array<double, kCapacity> values_{};
    int count_ = 0;
    std::uint64_t generation_ = 1;
};

} // namespace quorvel::expr

#pragma once

#include <vector>

namespace quorvel::document {

constexpr int kSelectionCapacity = 100;

// The selected sheet objects as combined indices (graph item i is i, annotation j is curveCount + j),
// in order; the last entry is the most recently pressed object. Holds at most kSelectionCapacity
// entries and never the same index twice.
class Selection {
public:
    // Position of combined index in the selection, or -1.
    int incheck(int combined) const;

    // A left press on an object: appends it, or when it is already selected swaps it with the last
    // entry so it becomes the most recent. Returns false (and changes nothing) when the selection is
    // full and the object is not in it yet.
    bool press(int combined);

    // Exactly this object, or nothing for a negative index.
    void selectOnly(int combined);

    // Every object 0 … total-1; more than kSelectionCapacity objects keep the first ones.
    void selectAll(int total);

    void clear() { entries_.clear(); }

    // Drops entries that name no object of a document with total objects.
    void dropInvalid(int total);

    // Keeps only the most recent entry.
    void keepLast();

    int selCount() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    int operator[](int position) const { return entries_[static_cast<std::size_t>(position)]; }
    int last() const { return entries_.empty() ? -1 : entries_.back(); }
    const std::vector<int>& entries() const { return entries_; }

    // Replaces the entries, keeping the capacity and uniqueness rules (later duplicates and
    // negative values are skipped).
    void assign(const std::vector<int>& entries);

private:
    std::vector<int> entries_;
};

} // namespace quorvel::document

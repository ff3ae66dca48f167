#include "document/Selection.h"

#include <algorithm>
#include <utility>

namespace quorvel::document {

int Selection::incheck(int combined) const {
    const auto it = std::find(entries_.begin(), entries_.end(), combined);
    return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

bool Selection::press(int combined) {
    if (combined < 0) return false;
    const int at = incheck(combined);
    if (at >= 0) {
        std::swap(entries_[static_cast<std::size_t>(at)], entries_.back());
        return true;
    }
    if (selCount() >= kSelectionCapacity) return false;
    entries_.push_back(combined);
    return true;
}

void Selection::selectOnly(int combined) {
    entries_.clear();
    if (combined >= 0) entries_.push_back(combined);
}

void Selection::selectAll(int total) {
    entries_.clear();
    const int n = std::clamp(total, 0, kSelectionCapacity);
    for (int i = 0; i < n; ++i)
        entries_.push_back(i);
}

void Selection::dropInvalid(int total) {
    std::erase_if(entries_, [total](int e) { return e < 0 || e >= total; });
}

void Selection::keepLast() {
    if (entries_.size() > 1) entries_.erase(entries_.begin(), entries_.end() - 1);
}

void Selection::assign(const std::vector<int>& entries) {
    entries_.clear();
    for (int e : entries) {
        if (selCount() >= kSelectionCapacity) break;
        if (e >= 0 && incheck(e) < 0) entries_.push_back(e);
    }
}

} // namespace quorvel::document

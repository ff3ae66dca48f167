#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel::graph {

// A hash table from 64-bit keys to ints (open addressing, linear probing). The plane grid looks up
// vertices and crossings several times per cell; a node per entry would cost more than the lookups.
// The key with all bits set is reserved.
class KeyIndex {
public:
    explicit KeyIndex(std::size_t expected = 512) { rehash(capacityFor(expected)); }

    // The value stored under key, or -1.
    [[nodiscard]] int find(std::uint64_t key) const {
        for (std::size_t s = slot(key);; s = (s + 1) & mask_) {
            if (slots_[s].key == key) return slots_[s].value;
            if (slots_[s].key == kEmpty) return -1;
        }
    }

    // Stores value under key (which must be absent).
    void insert(std::uint64_t key, int value) {
        if ((size_ + 1) * 2 > slots_.size()) rehash(slots_.size() * 2);
        std::size_t s = slot(key);
        while (slots_[s].key != kEmpty)
            s = (s + 1) & mask_;
        slots_[s] = {key, value};
        ++size_;
    }

    static std::uint64_t pair(std::uint32_t high, std::uint32_t low) {
        return (std::uint64_t{high} << 32) | low;
    }
    // The key of the side between vertices a and b, the same either way round.
    static std::uint64_t side(int a, int b) {
        return pair(static_cast<std::uint32_t>(a < b ? a : b), static_cast<std::uint32_t>(a < b ? b : a));
    }

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    static std::size_t capacityFor(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < expected * 2)
            capacity *= 2;
        return capacity;
    }
    std::size_t slot(std::uint64_t key) const {
        // The high bits of the product depend on every bit of the key.
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    void rehash(std::size_t capacity) {
        std::vector<Slot> old(capacity, Slot{kEmpty, -1});
        old.swap(slots_);
        mask_ = capacity - 1;
        shift_ = 64;
        for (std::size_t c = capacity; c > 1; c /= 2)
            --shift_;
        size_ = 0;
        for (const Slot& s : old)
            if (s.key != kEmpty) insert(s.key, s.value);
    }

    // Key and value side by side: a lookup touches one cache line.
    struct Slot {
        std::uint64_t key;
        int value;
    };
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 64;
    std::size_t size_ = 0;
};

} // namespace quorvel::graph

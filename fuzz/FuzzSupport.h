#pragma once

// Helpers shared by the fuzz targets: numbers taken from the front of the input, and a failed property
// that stops the run so that the fuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quorvel::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next `bytes` bytes as a big-endian number; missing bytes count as 0.
    std::uint32_t take(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value <<= 8;
            if (pos_ < size_) value |= data_[pos_++];
        }
        return value;
    }
    // A number in lo..hi (inclusive) from the next `bytes` bytes.
    int inRange(int lo, int hi, int bytes) {
        const auto span = static_cast<std::uint32_t>(hi - lo) + 1;
        return lo + static_cast<int>(take(bytes) % span);
    }
    std::string_view rest() const { return {reinterpret_cast<const char*>(data_ + pos_), size_ - pos_}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A promised property does not hold: say which and abort (the fuzzer records the input as a crash).
[[noreturn]] inline void fail(const char* property, std::string_view first, std::string_view second) {
    std::fprintf(stderr, "property failed: %s\n--- first (%zu bytes)\n%.*s\n--- second (%zu bytes)\n%.*s\n",
                 property, first.size(), static_cast<int>(first.size()), first.data(), second.size(),
                 static_cast<int>(second.size()), second.data());
    std::abort();
}

} // namespace quorvel::fuzz

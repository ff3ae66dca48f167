#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::document {

inline constexpr std::string_view kFieldSeparator = "##";
inline constexpr std::string_view kCrLf = "\r\n";

// Takes the "##"-separated fields of one line from its start: a field is the text before the next
// "##"; the last field of a line is whatever remains.
class FieldReader {
public:
    explicit FieldReader(std::string_view line) : rest_(line) {}

    // The next field, or nothing when no "##" remains.
    std::optional<std::string_view> take();
    std::optional<int> takeInt();
    std::optional<double> takeDouble();
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Whole 32-bit integers, finite decimal numbers; anything else does not convert.
std::optional<int> toInt32(std::string_view text);
std::optional<double> toDouble(std::string_view text);
// A decimal number truncated toward zero, if it fits in 32 bits.
std::optional<int> toTruncatedInt32(std::string_view text);

// Splits at CR LF, lone CR or lone LF. A break at the very end opens no further line.
std::vector<std::string_view> splitLines(std::string_view text);

// Clamps a double to the int range, truncating toward zero (NaN gives 0).
int truncToInt(double value);
// a + b kept inside the int range.
int clampedAdd(long long a, long long b);

} // namespace quorvel::document

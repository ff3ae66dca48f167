#include "document/FieldReader.h"

#include "base/NumberFormat.h"

#include <cmath>
#include <limits>

namespace quorvel::document {

namespace {
constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();
} // namespace

std::optional<std::string_view> FieldReader::take() {
    const auto at = rest_.find(kFieldSeparator);
    if (at == std::string_view::npos) return std::nullopt;
    const auto field = rest_.substr(0, at);
    rest_.remove_prefix(at + kFieldSeparator.size());
    return field;
}

std::optional<int> FieldReader::takeInt() {
    const auto field = take();
    return field ? toInt32(*field) : std::nullopt;
}

std::optional<double> FieldReader::takeDouble() {
    const auto field = take();
    return field ? toDouble(*field) : std::nullopt;
}

std::optional<int> toInt32(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < kIntMin || *value > kIntMax) return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> toDouble(std::string_view text) {
    const auto value = parseDecimal(text);
    if (value) return std::isfinite(*value) ? value : std::nullopt;
    // The largest doubles are written rounded up to 15 digits, just past the double range; they
    // read back as the largest double, which writes the same text again.
    constexpr std::string_view kLargestWritten = "1.79769313486232E308";
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (text.substr(negative ? 1 : 0) == kLargestWritten)
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    return std::nullopt;
}

std::optional<int> toTruncatedInt32(std::string_view text) {
    const auto value = toDouble(text);
    if (!value) return std::nullopt;
    const double t = std::trunc(*value);
    if (t < static_cast<double>(kIntMin) || t > static_cast<double>(kIntMax)) return std::nullopt;
    return static_cast<int>(t);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

int truncToInt(double value) {
    if (std::isnan(value)) return 0;
    const double t = std::trunc(value);
    if (t <= static_cast<double>(kIntMin)) return static_cast<int>(kIntMin);
    if (t >= static_cast<double>(kIntMax)) return static_cast<int>(kIntMax);
    return static_cast<int>(t);
}

int clampedAdd(long long a, long long b) {
    const long long sum = a + b;
    if (sum < kIntMin) return static_cast<int>(kIntMin);
    if (sum > kIntMax) return static_cast<int>(kIntMax);
    return static_cast<int>(sum);
}

} // namespace quorvel::document

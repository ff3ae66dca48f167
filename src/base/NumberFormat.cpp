#include "base/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quorvel {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string formatGeneral(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";

    // 15 significant digits: one before the point, 14 after, then the exponent.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    const bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    const size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (isDigit(c)) digits += c;
    const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto intDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += '.';
                out += digits.substr(intDigits);
            }
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

namespace {

// The decimal text normalised for from_chars, or nothing when the text is no decimal number.
std::optional<std::string> normalDecimal(std::string_view text) {
    text = trimBlanks(text);
    size_t i = 0;
    std::string normal;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        normal += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        normal += text[i++];
        while (i < text.size() && isDigit(text[i])) {
            normal += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            normal += text[i++];
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return normal;
}

// Whether a well-formed decimal that from_chars found out of range lies above the doubles (rather than
// below the smallest one): decided by the position of its first significant digit, since out of range
// means a magnitude beyond about 1E308 or below about 1E-324.
bool isAboveRange(std::string_view normal) {
    // Power of ten of the first significant digit, as written before the exponent.
    const size_t ePos = std::min(normal.find('e'), normal.size());
    const std::string_view mantissa = normal.substr(0, ePos);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return false;
    const long long power =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    long long exponent = 0;
    bool negativeExponent = false;
    size_t i = ePos + 1;
    if (i < normal.size() && (normal[i] == '+' || normal[i] == '-')) negativeExponent = normal[i++] == '-';
    for (; i < normal.size() && exponent < 1000000000LL; ++i)
        exponent = exponent * 10 + (normal[i] - '0');
    return power + (negativeExponent ? -exponent : exponent) > 0;
}

} // namespace

std::optional<double> parseDecimal(std::string_view text) {
    const std::optional<std::string> normal = normalDecimal(text);
    if (!normal) return std::nullopt;
    double value = 0;
    auto res = std::from_chars(normal->data(), normal->data() + normal->size(), value);
    // Out of range ("1E400") is a conversion failure, as for any other text that is no number.
    if (res.ec != std::errc() || res.ptr != normal->data() + normal->size()) return std::nullopt;
    return value;
}

std::optional<double> parseDecimalLiteral(std::string_view text) {
    const std::optional<std::string> normal = normalDecimal(text);
    if (!normal) return std::nullopt;
    double value = 0;
    auto res = std::from_chars(normal->data(), normal->data() + normal->size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        const bool negative = normal->front() == '-';
        if (isAboveRange(*normal)) return negative ? -HUGE_VAL : HUGE_VAL;
        return negative ? -0.0 : 0.0;
    }
    if (res.ec != std::errc() || res.ptr != normal->data() + normal->size()) return std::nullopt;
    return value;
}

std::optional<long long> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long long value = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace quorvel

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

// Markup scanners work on whole characters: "≠", "π" or a Chinese character is one element.
// Invalid and overlong UTF-8 bytes decode to U+FFFD one byte at a time, so any input is safe.
std::u32string toCodePoints(std::string_view utf8);
// The length of the valid, shortest-form UTF-8 sequence that starts at byte i (its code point into
// codePoint when given), or 0 when none starts there; toCodePoints reads such a byte as U+FFFD.
std::size_t utf8SequenceAt(std::string_view utf8, std::size_t i, char32_t* codePoint = nullptr);
std::string toUtf8(std::u32string_view text);
void appendUtf8(std::string& out, char32_t c);
// Text as it enters from outside (the command line): invalid and overlong sequences become U+FFFD, one
// per byte, so no byte sequence can stand for a character that means something to the markup.
std::string validUtf8(std::string_view bytes);

// Bytes the character takes in GBK: 1 for ASCII, 2 for anything else. Positions shown to the user are
// counted this way.
inline int gbkWidth(char32_t c) {
    return c < 0x80 ? 1 : 2;
}

// 1-based GBK byte position of the character at index in text.
int gbkPosition(std::u32string_view text, std::size_t index);

// Lower-cases ASCII letters only, as the keyword comparisons do.
std::string asciiLower(std::string_view text);

} // namespace quorvel

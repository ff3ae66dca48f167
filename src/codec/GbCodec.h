#pragma once

#include <string>
#include <string_view>

namespace quorvel::codec {

// Files and clipboard text that leave the program are GBK. They are written and read as GB18030, whose
// bytes for every GBK character are the GBK bytes, so no character a user can type is lost.

// False when the Qt build has no GB18030 converter (it needs ICU); the conversions below then throw
// std::runtime_error rather than lose text.
bool gb18030Available();

// UTF-8 to GB18030 bytes. Invalid UTF-8 becomes U+FFFD first.
std::string utf8ToGb18030(std::string_view utf8);

struct Decoded {
    std::string utf8;
    bool hadInvalidBytes = false; // some bytes were no GB18030 character and became U+FFFD
};
// GB18030 (or GBK) bytes to UTF-8.
Decoded gb18030ToUtf8(std::string_view bytes);

// Appends the UTF-8 of GB18030 bytes that begin and end on character boundaries (whole lines, say), so
// a file can be decoded piece by piece without holding all of its bytes.
void appendGb18030AsUtf8(std::string_view bytes, std::string& utf8);

// Converts every line break (CR LF, lone CR, lone LF) to the given one.
std::string withLineBreaks(std::string_view text, std::string_view lineBreak);

} // namespace quorvel::codec

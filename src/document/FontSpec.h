#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::document {

// Window-text system colour as documents store it (system colours are negative 32-bit values).
constexpr int kWindowTextColour = -2147483640; // 0x80000008 as a signed 32-bit value
constexpr int kCharsetGb2312 = 134;

// A font as documents store it: the ten fields of the font text form. Converted to a QFont only in the
// Qt layer.
struct FontSpec {
    int charset = kCharsetGb2312; // 0 … 255
    int colour = kWindowTextColour;
    int height = -12; // negative: character height in pixels
    int pitch = 0;    // 0 default, 1 variable, 2 fixed
    int size = 9;     // points; decides the size when both are given
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string name = "宋体";

    // The font a new annotation starts with: 宋体, character height 12 pixels, window-text colour.
    static FontSpec annotationDefault() { return FontSpec{}; }

    bool operator==(const FontSpec&) const = default;
};

// The font text form: "charset##colour##height##pitch##size##bold##italic##underline##strikeOut##name".
std::string FontToStr(const FontSpec& font);

// Reads the font text form. The style flags are set only by the exact field "1"; the name is the rest
// of the text after the ninth "##". Returns nothing when a number field does not convert or a field is
// missing.
std::optional<FontSpec> StrToFont(std::string_view text);

} // namespace quorvel::document

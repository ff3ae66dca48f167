#include "document/FontSpec.h"

#include "document/FieldReader.h"

namespace quorvel::document {

namespace {
const char* flag(bool on) {
    return on ? "1" : "0";
}
} // namespace

std::string FontToStr(const FontSpec& font) {
    std::string out;
    for (int number : {font.charset, font.colour, font.height, font.pitch, font.size}) {
        out += std::to_string(number);
        out += kFieldSeparator;
    }
    for (bool on : {font.bold, font.italic, font.underline, font.strikeOut}) {
        out += flag(on);
        out += kFieldSeparator;
    }
    out += font.name;
    return out;
}

std::optional<FontSpec> StrToFont(std::string_view text) {
    FieldReader fields(text);
    FontSpec font;
    for (int* number : {&font.charset, &font.colour, &font.height, &font.pitch, &font.size}) {
        const auto value = fields.takeInt();
        if (!value) return std::nullopt;
        *number = *value;
    }
    for (bool* on : {&font.bold, &font.italic, &font.underline, &font.strikeOut}) {
        const auto field = fields.take();
        if (!field) return std::nullopt;
        *on = *field == "1";
    }
    font.name = std::string(fields.rest());
    return font;
}

} // namespace quorvel::document

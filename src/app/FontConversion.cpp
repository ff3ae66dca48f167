#include "app/FontConversion.h"

#include "typeset/qt/ColorConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvel::app {

QFont toQFont(const document::FontSpec& font) {
    QFont q(QString::fromStdString(font.name));
    if (font.size > 0)
        q.setPointSize(std::clamp(font.size, 1, 1000));
    else
        q.setPixelSize(static_cast<int>(std::clamp<long long>(std::llabs(font.height), 1, 10000)));
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    return q;
}

document::FontSpec fromQFont(const QFont& font, int colour, int charset) {
    document::FontSpec stored;
    stored.name = font.family().toStdString();
    stored.size = font.pointSize() > 0 ? font.pointSize() : std::max(1, font.pixelSize() * 72 / 96);
    // The character height at the screen's 96 dots per inch.
    stored.height = -static_cast<int>(std::lround(stored.size * 96.0 / 72.0));
    stored.bold = font.bold();
    stored.italic = font.italic();
    stored.underline = font.underline();
    stored.strikeOut = font.strikeOut();
    stored.colour = colour;
    stored.charset = charset;
    return stored;
}

QColor fontColour(const document::FontSpec& font) {
    return typeset::toQColor(font.colour);
}

} // namespace quorvel::app

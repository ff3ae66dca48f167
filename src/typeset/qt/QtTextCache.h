#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStaticText>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvel::typeset {

// What selects a font on the Qt side: face, pixel size and style bits.
struct QtFontKey {
    std::string face;
    int pixelSize = 1;
    int style = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    friend bool operator==(const QtFontKey&, const QtFontKey&) = default;
};

// Fonts, text metrics and ink rows, cached per (face, pixel size, style) and text. Typesetting asks for
// the same few dozen measurements over and over; this answers them without touching a font engine or
// rendering a bitmap again. One cache may serve many canvases (screen, file, clipboard) in turn; it is
// not thread-safe, like the painting it serves.
class QtTextCache {
public:
    QtTextCache();

    struct Metrics {
        int width = 0;
        int height = 0;
        int ascent = 0;
    };

    const QFont& font(const QtFontKey& key);
    Metrics metrics(const QtFontKey& key, std::string_view text);
    // The rectangle text's glyphs ink, relative to the top-left corner of its cell (the ascent above the
    // baseline); empty for text without ink.
    QRect ink(const QtFontKey& key, std::string_view text);
    // The text laid out once for drawing with the key's font: shaping it again at every draw cost more
    // than everything else in drawing a long formula.
    const QStaticText& staticText(const QtFontKey& key, std::string_view text);
    // First inked row (direction +1) or last inked row (direction -1), counted from the top, of text
    // written at (0, 0) of a white box of the given size; 0 when nothing is inked.
    int inkRow(const QtFontKey& key, std::string_view text, int boxWidth, int boxHeight, int direction);
    // The pixels that the bar of "+" covers at least half of when drawn as text is drawn, relative to the
    // top-left corner of its cell: the rule a minus sign is drawn as. Empty when the face draws no bar or
    // the font is too large to look at.
    QRect plusBar(const QtFontKey& key);

    // Entries kept before the caches start over, so a long session cannot grow them without end.
    static constexpr std::size_t kMaxEntries = 50000;

private:
    struct FontEntry {
        QFont font;
        QFontMetrics metrics;
    };
    struct InkRows {
        int top = 0;
        int bottom = 0;
    };
    FontEntry& entry(const QtFontKey& key);
    static std::string textKey(const QtFontKey& key, std::string_view text);

    std::unordered_map<std::string, std::unique_ptr<FontEntry>> fonts_;
    std::unordered_map<std::string, Metrics> metrics_;
    std::unordered_map<std::string, InkRows> inkRows_;
    std::unordered_map<std::string, QRect> inks_;
    std::unordered_map<std::string, QRect> plusBars_;
    std::unordered_map<std::string, QStaticText> staticTexts_;
    std::string lastFontKey_;
    FontEntry* lastFont_ = nullptr;
};

} // namespace quorvel::typeset

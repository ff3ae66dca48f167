#include "typeset/qt/QtTextCache.h"

#include "typeset/Typesetter.h"
#include "typeset/qt/FontSetup.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace quorvel::typeset {

namespace {

// Qt adds advances in 26.6 fixed point, which wraps past 2^25 pixels (a long line of a large font then
// measures negative). Long texts are measured in pieces, summed without overflow and clamped.
int clampedAdvance(const QFontMetrics& metrics, const QString& text) {
    constexpr qsizetype kPiece = 1024; // 1024 characters of even 4000-pixel glyphs stay far below 2^25
    if (text.size() <= kPiece) return std::clamp(metrics.horizontalAdvance(text), 0, kMaxTextExtent);
    long long total = 0;
    for (qsizetype start = 0; start < text.size() && total < kMaxTextExtent;) {
        qsizetype length = std::min(kPiece, text.size() - start);
        // Never split a surrogate pair.
        if (start + length < text.size() && text.at(start + length - 1).isHighSurrogate()) --length;
        total += std::max(0, metrics.horizontalAdvance(text.mid(start, length)));
        start += length;
    }
    return static_cast<int>(std::min<long long>(total, kMaxTextExtent));
}

} // namespace

QtTextCache::QtTextCache() {
    // The Windows face names that formulas and documents use must reach installed faces.
    installFontSubstitutions();
}

std::string QtTextCache::textKey(const QtFontKey& key, std::string_view text) {
    std::string k;
    k.reserve(key.face.size() + text.size() + 16);
    k += key.face;
    k += '\x1f';
    k += std::to_string(key.pixelSize);
    k += '\x1f';
    k += static_cast<char>('0' + key.style);
    k += '\x1f';
    k += text;
    return k;
}

QtTextCache::FontEntry& QtTextCache::entry(const QtFontKey& key) {
    std::string k = textKey(key, {});
    if (lastFont_ && k == lastFontKey_) return *lastFont_;
    auto it = fonts_.find(k);
    if (it == fonts_.end()) {
        if (fonts_.size() >= 1000) {
            fonts_.clear();
            lastFont_ = nullptr;
        }
        QFont font(QString::fromStdString(key.face));
        font.setPixelSize(std::max(1, key.pixelSize));
        font.setBold(key.style & 1);
        font.setItalic(key.style & 2);
        font.setUnderline(key.style & 4);
        font.setStrikeOut(key.style & 8);
        // Name the face actually used, so that vector output (SVG) names an installed face rather than
        // a Windows name the viewer may not map.
        const QString used = QFontInfo(font).family();
        if (!used.isEmpty() && used != font.family()) font.setFamily(used);
        auto created = std::make_unique<FontEntry>(FontEntry{font, QFontMetrics(font)});
        it = fonts_.emplace(k, std::move(created)).first;
    }
    lastFontKey_ = std::move(k);
    lastFont_ = it->second.get();
    return *lastFont_;
}

const QFont& QtTextCache::font(const QtFontKey& key) {
    return entry(key).font;
}

QtTextCache::Metrics QtTextCache::metrics(const QtFontKey& key, std::string_view text) {
    std::string k = textKey(key, text);
    if (auto it = metrics_.find(k); it != metrics_.end()) return it->second;
    if (metrics_.size() >= kMaxEntries) metrics_.clear();
    const FontEntry& e = entry(key);
    Metrics m;
    m.width = clampedAdvance(e.metrics, QString::fromUtf8(text.data(), qsizetype(text.size())));
    m.height = std::clamp(e.metrics.height(), 0, kMaxTextExtent);
    m.ascent = std::clamp(e.metrics.ascent(), 0, kMaxTextExtent);
    metrics_.emplace(std::move(k), m);
    return m;
}

QRect QtTextCache::ink(const QtFontKey& key, std::string_view text) {
    std::string k = textKey(key, text);
    if (auto it = inks_.find(k); it != inks_.end()) return it->second;
    if (inks_.size() >= kMaxEntries) inks_.clear();
    const Metrics m = metrics(key, text);
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    // The tight rectangle is relative to the baseline and may be a pixel short where antialiasing
    // spreads the edges: one pixel of slack on every side.
    QRect r = QFontMetricsF(entry(key).font).tightBoundingRect(s).toAlignedRect();
    if (!r.isEmpty()) r = r.translated(0, m.ascent).adjusted(-1, -1, 1, 1);
    inks_.emplace(std::move(k), r);
    return r;
}

const QStaticText& QtTextCache::staticText(const QtFontKey& key, std::string_view text) {
    std::string k = textKey(key, text);
    if (auto it = staticTexts_.find(k); it != staticTexts_.end()) return it->second;
    if (staticTexts_.size() >= kMaxEntries) staticTexts_.clear();
    QStaticText laidOut(QString::fromUtf8(text.data(), qsizetype(text.size())));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), entry(key).font);
    return staticTexts_.emplace(std::move(k), std::move(laidOut)).first->second;
}

QRect QtTextCache::plusBar(const QtFontKey& key) {
    std::string k = textKey(key, "+");
    if (auto it = plusBars_.find(k); it != plusBars_.end()) return it->second;
    if (plusBars_.size() >= kMaxEntries) plusBars_.clear();
    const Metrics m = metrics(key, "+");
    // Drawn as formula text is drawn (smoothed, on whole pixels), with room for a glyph that reaches
    // outside its advance; a pixel counts when the glyph covers at least half of it.
    const int pad = std::max(2, key.pixelSize / 4);
    // Formula text stays far below this; a sign at a brace's or a page's height gets no bitmap of its own.
    constexpr qint64 kMaxPixels = 1 << 24;
    const bool small = qint64(m.width + 2 * pad) * std::max(1, m.height) <= kMaxPixels;
    QImage bitmap =
        small ? QImage(m.width + 2 * pad, std::max(1, m.height), QImage::Format_ARGB32_Premultiplied)
              : QImage();
    QRect bar;
    if (!bitmap.isNull() && m.width > 0) {
        bitmap.fill(Qt::white);
        {
            QPainter painter(&bitmap);
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            painter.setFont(entry(key).font);
            painter.setPen(Qt::black);
            painter.drawStaticText(QPoint(pad, 0), staticText(key, "+"));
        }
        // The bar is the longest run of inked pixels in a row; its rows are those with a run nearly as long.
        auto longestRun = [&](int y, int* start) {
            const auto* line = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
            int best = 0, run = 0;
            for (int x = 0; x < bitmap.width(); ++x) {
                run = qGreen(line[x]) < 128 ? run + 1 : 0;
                if (run > best) {
                    best = run;
                    if (start) *start = x - run + 1;
                }
            }
            return best;
        };
        int longest = 0, row = -1, start = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            int at = 0;
            if (const int run = longestRun(y, &at); run > longest) {
                longest = run;
                row = y;
                start = at;
            }
        }
        if (row >= 0) {
            int top = row, bottom = row;
            while (top > 0 && longestRun(top - 1, nullptr) * 10 >= longest * 6)
                --top;
            while (bottom + 1 < bitmap.height() && longestRun(bottom + 1, nullptr) * 10 >= longest * 6)
                ++bottom;
            bar = QRect(QPoint(start - pad, top), QPoint(start - pad + longest - 1, bottom));
        }
    }
    plusBars_.emplace(std::move(k), bar);
    return bar;
}

int QtTextCache::inkRow(const QtFontKey& key, std::string_view text, int boxWidth, int boxHeight,
                        int direction) {
    if (text.empty() || boxWidth <= 0 || boxHeight <= 0) return 0;
    std::string k = textKey(key, text);
    k += '\x1f';
    k += std::to_string(boxWidth);
    k += 'x';
    k += std::to_string(boxHeight);
    auto it = inkRows_.find(k);
    if (it == inkRows_.end()) {
        if (inkRows_.size() >= kMaxEntries) inkRows_.clear();
        const Metrics m = metrics(key, text);
        // Glyphs never ink far outside their cell, so a box cropped to the text answers the same as the
        // whole box and keeps the bitmap small however large the box is.
        const int width = std::min(boxWidth, m.width + std::max(1, key.pixelSize));
        const int height = std::min(boxHeight, 2 * m.height + 2);
        InkRows rows;
        if (width > 0 && height > 0) {
            QImage bitmap(width, height, QImage::Format_RGB32);
            // A box too large to allocate (a clamped 2^24-pixel line) is left without ink rows.
            if (bitmap.isNull()) return 0;
            bitmap.fill(Qt::white);
            {
                QPainter painter(&bitmap);
                QFont font = entry(key).font;
                font.setStyleStrategy(QFont::NoAntialias);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(0, m.ascent, QString::fromUtf8(text.data(), qsizetype(text.size())));
            }
            auto inked = [&](int y) {
                const auto* line = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
                return std::any_of(line, line + width, [](QRgb p) { return qRed(p) < 128; });
            };
            for (int y = 0; y < height; ++y)
                if (inked(y)) {
                    rows.top = y;
                    break;
                }
            for (int y = height - 1; y >= 0; --y)
                if (inked(y)) {
                    rows.bottom = y;
                    break;
                }
        }
        it = inkRows_.emplace(std::move(k), rows).first;
    }
    return direction < 0 ? it->second.bottom : it->second.top;
}

} // namespace quorvel::typeset

// The tool bar's icons are drawn from their SVG pictures at the size and pixel ratio asked for.
#include "app/ToolIcons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The largest difference of one colour channel or alpha between two images of one size.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
        }
    return largest;
}

} // namespace

TEST(ToolIcons, EachIconIsItsOwnPictureDrawnSharpAtPixelRatioTwo) {
    // No desktop theme: the program's own pictures are used.
    const QString theme = QIcon::themeName();
    QIcon::setThemeName(QStringLiteral("no-such-theme"));
    for (const char* name : {"new", "open", "save", "print", "exit", "undo", "redo", "formula", "function",
                             "calculate", "annotation", "help"}) {
        const QIcon icon = quorvel::app::toolIcon(QString::fromUtf8(name));
        ASSERT_FALSE(icon.isNull()) << name;
        const QPixmap pixmap = icon.pixmap(QSize(24, 24), 2.0);
        ASSERT_EQ(pixmap.size(), QSize(48, 48)) << name;
        QImage drawn(48, 48, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        QSvgRenderer(QStringLiteral(":/quorvel/icons/%1.svg").arg(QString::fromUtf8(name))).render(&painter);
        painter.end();
        EXPECT_LE(largestDifference(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                                    drawn.convertToFormat(QImage::Format_ARGB32)),
                  2)
            << name;
    }
    EXPECT_TRUE(quorvel::app::toolIcon(QStringLiteral("no-such-icon")).isNull());
    QIcon::setThemeName(theme);
}

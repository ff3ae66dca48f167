#include "app/ToolIcons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvel::app {

namespace {

constexpr int kSize = 24;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(14, 2);
    page.lineTo(19, 7);
    page.lineTo(19, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(14, 2, 14, 7);
    p.drawLine(14, 7, 19, 7);
}

void drawText(QPainter& p, const QString& text, const QColor& color, int pixelSize, bool italic = false) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void drawArrow(QPainter& p, bool forward) {
    p.setPen(QPen(QColor(30, 90, 170), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    if (forward) {
        arc.moveTo(5, 17);
        arc.cubicTo(5, 7, 15, 5, 19, 11);
    } else {
        arc.moveTo(19, 17);
        arc.cubicTo(19, 7, 9, 5, 5, 11);
    }
    p.drawPath(arc);
    p.setBrush(QColor(30, 90, 170));
    p.setPen(Qt::NoPen);
    QPolygonF head;
    if (forward)
        head << QPointF(21, 5) << QPointF(21, 14) << QPointF(13, 12);
    else
        head << QPointF(3, 5) << QPointF(3, 14) << QPointF(11, 12);
    p.drawPolygon(head);
}

QPixmap drawn(const QString& name) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("new")) {
        drawPage(p);
    } else if (name == QLatin1String("open")) {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(2, 6, 18, 14);
        p.setBrush(QColor(250, 220, 120));
        QPolygonF flap;
        flap << QPointF(5, 10) << QPointF(22, 10) << QPointF(19, 20) << QPointF(2, 20);
        p.drawPolygon(flap);
    } else if (name == QLatin1String("save")) {
        p.setPen(QPen(QColor(30, 50, 110), 1));
        p.setBrush(QColor(60, 100, 180));
        p.drawRoundedRect(3, 3, 18, 18, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(7, 4, 10, 6);
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(7, 14, 10, 7);
    } else if (name == QLatin1String("print")) {
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.setBrush(Qt::white);
        p.drawRect(7, 2, 10, 8);
        p.setBrush(QColor(170, 170, 175));
        p.drawRoundedRect(2, 9, 20, 9, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(7, 15, 10, 7);
    } else if (name == QLatin1String("exit")) {
        p.setPen(QPen(QColor(120, 40, 40), 2));
        p.drawRect(4, 3, 10, 18);
        drawArrow(p, true);
    } else if (name == QLatin1String("undo")) {
        drawArrow(p, false);
    } else if (name == QLatin1String("redo")) {
        drawArrow(p, true);
    } else if (name == QLatin1String("formula")) {
        drawText(p, QStringLiteral("√x"), QColor(20, 20, 120), 17);
    } else if (name == QLatin1String("function")) {
        drawText(p, QStringLiteral("f(x)"), QColor(0, 0, 200), 14, true);
    } else if (name == QLatin1String("calculate")) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(235, 235, 225));
        p.drawRoundedRect(4, 2, 16, 20, 2, 2);
        p.setBrush(QColor(200, 230, 200));
        p.drawRect(6, 4, 12, 5);
        p.setBrush(QColor(90, 90, 90));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(6 + col * 4, 11 + row * 3, 2, 2);
    } else if (name == QLatin1String("annotation")) {
        drawPage(p);
        p.setPen(QPen(QColor(40, 40, 160), 1.2));
        for (int y = 10; y <= 18; y += 4)
            p.drawLine(8, y, 16, y);
    } else if (name == QLatin1String("trace")) {
        p.setPen(QPen(QColor(40, 40, 160), 1.4));
        p.drawPolyline(QPolygonF() << QPointF(3, 19) << QPointF(8, 9) << QPointF(13, 6) << QPointF(21, 15));
        p.setPen(QPen(QColor(200, 40, 40), 1.2));
        p.setBrush(QColor(255, 220, 220));
        p.drawEllipse(QRectF(10, 3.5, 6, 6));
        p.drawLine(QPointF(13, 10), QPointF(13, 21));
    } else if (name == QLatin1String("table")) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4.5, 17, 15));
        p.drawLine(QPointF(10, 4.5), QPointF(10, 19.5));
        for (double y = 8.5; y < 19; y += 3.5)
            p.drawLine(QPointF(3.5, y), QPointF(20.5, y));
    } else if (name == QLatin1String("help")) {
        p.setPen(QPen(QColor(20, 90, 160), 1.5));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        drawText(p, QStringLiteral("?"), QColor(20, 90, 160), 16);
    }
    return pixmap;
}

} // namespace

QIcon toolIcon(const QString& name) {
    static const QHash<QString, QString> themeNames{
        {QStringLiteral("new"), QStringLiteral("document-new")},
        {QStringLiteral("open"), QStringLiteral("document-open")},
        {QStringLiteral("save"), QStringLiteral("document-save")},
        {QStringLiteral("print"), QStringLiteral("document-print")},
        {QStringLiteral("exit"), QStringLiteral("application-exit")},
        {QStringLiteral("undo"), QStringLiteral("edit-undo")},
        {QStringLiteral("redo"), QStringLiteral("edit-redo")},
        {QStringLiteral("help"), QStringLiteral("help-contents")},
    };
    const QIcon fallback(drawn(name));
    const auto theme = themeNames.constFind(name);
    if (theme == themeNames.constEnd()) return fallback;
    return QIcon::fromTheme(*theme, fallback);
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/quorvel/quorvel.svg"));
}

} // namespace quorvel::app

#include "app/SheetPrinting.h"

#include "app/Captions.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace quorvel::app {

QRect sheetPrintRect(const QSize& page, const QSize& sheet) {
    if (page.width() <= 0 || page.height() <= 0 || sheet.width() <= 0 || sheet.height() <= 0) return {};
    qint64 width = page.width();
    qint64 height = width * sheet.height() / sheet.width();
    if (height > page.height()) {
        height = page.height();
        width = height * sheet.width() / sheet.height();
    }
    return QRect(0, 0, static_cast<int>(width), static_cast<int>(height));
}

bool printSheet(const QImage& sheet, QPrinter& printer, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (sheet.isNull()) return fail(QStringLiteral("没有可打印的图形。"));
    printer.setDocName(QString::fromUtf8(kPrintJobTitle));
    QPainter painter;
    if (!painter.begin(&printer)) return fail(QStringLiteral("无法开始打印作业，请检查打印机或输出文件。"));
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const QRect target = sheetPrintRect(page, sheet.size());
    painter.drawImage(target, sheet);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("打印作业失败。"));
    return true;
}

} // namespace quorvel::app

#include "app/SheetPrinting.h"

#include "app/Captions.h"
#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "document/Messages.h"
#include "graph/PageRule.h"
#include "graph/SheetPainter.h"
#include "typeset/qt/QtCanvas.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace quorvel::app {

QRect sheetPrintRect(const QSize& page, const QSize& sheet) {
    const graph::PageArea area =
        graph::sheetPageArea(page.width(), page.height(), sheet.width(), sheet.height());
    if (area.width <= 0 || area.height <= 0) return {};
    return QRect(0, 0, area.width, area.height);
}

bool printSheet(const QSize& sheet, const SheetDrawing& draw,
                const std::shared_ptr<typeset::QtTextCache>& cache, QPrinter& printer, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (sheet.isEmpty() || !draw) return fail(QStringLiteral("没有可打印的图形。"));
    printer.setDocName(QString::fromUtf8(kPrintJobTitle));
    QPainter painter;
    if (!painter.begin(&printer)) return fail(QStringLiteral("无法开始打印作业，请检查打印机或输出文件。"));
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    typeset::drawScaled(painter, sheetPrintRect(page, sheet), sheet, cache, typeset::LineQuality::Smooth,
                        [&draw](typeset::QtCanvas& canvas) { draw(canvas); });
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("打印作业失败。"));
    return true;
}

void printWithDialog(TForm1& form1) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(kPrintJobTitle));
    QPrintDialog dialog(&printer, &form1);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    (void)printDocument(form1, printer);
}

bool printDocument(TForm1& form1, QPrinter& printer) {
    QString error;
    const auto draw = [&form1](typeset::Canvas& canvas) {
        graph::Draw_zuobiao(canvas, form1.document().view, form1.sheetGeometry(), form1.sheetLayers());
    };
    if (printSheet(form1.sheet()->sheetSize(), draw, form1.textCache(), printer, &error)) return true;
    form1.sink().show("打印失败：" + error.toStdString(), kCaptionError, MessageIcon::Error);
    return false;
}

} // namespace quorvel::app

#include "app/SheetPrinting.h"
#include "i18n/Translation.h"

#include "app/Captions.h"
#include "document/Messages.h"
#include "graph/PageRule.h"
#include "typeset/qt/QtCanvas.h"

#include <QPainter>

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

namespace quorvel::app {

QRect sheetPrintRect(const QSize& page, const QSize& sheet) {
    const graph::PageArea area =
        graph::sheetPageArea(page.width(), page.height(), sheet.width(), sheet.height());
    if (area.width <= 0 || area.height <= 0) return {};
    return QRect(0, 0, area.width, area.height);
}

bool printSheet(const QSize& sheet, const SheetDrawing& draw,
                const std::shared_ptr<typeset::QtTextCache>& cache, QPrinter& printer, QString* error,
                const QString& jobName) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (sheet.isEmpty() || !draw) return fail(i18n::uiText("没有可打印的图形。"));
    if (!jobName.isEmpty()) printer.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer)) return fail(i18n::uiText("无法开始打印作业，请检查打印机或输出文件。"));
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    typeset::drawScaled(painter, sheetPrintRect(page, sheet), sheet, cache, typeset::LineQuality::Smooth,
                        [&draw](typeset::QtCanvas& canvas) { draw(canvas); });
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(i18n::uiText("打印作业失败。"));
    return true;
}

void preparePrinter(QPrinter& printer, const PrintSource& source) {
    printer.setDocName(source.jobName);
    printer.setPageOrientation(source.sheet.width() > source.sheet.height() ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait);
    // The printer's own unprintable edge, and never less than 10 mm.
    printer.setFullPage(false);
    const QMarginsF minimum(10, 10, 10, 10);
    const QMarginsF printer_ = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins(
        QMarginsF(std::max(minimum.left(), printer_.left()), std::max(minimum.top(), printer_.top()),
                  std::max(minimum.right(), printer_.right()), std::max(minimum.bottom(), printer_.bottom())),
        QPageLayout::Millimeter);
}

void previewPrint(const PrintSource& source) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, source);
    QPrintPreviewDialog preview(&printer, source.parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(i18n::uiText("打印预览"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&source](QPrinter* target) { (void)printDocument(source, *target); });
    preview.exec();
}

void printWithDialog(const PrintSource& source) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, source);
    QPrintDialog dialog(&printer, source.parent);
    dialog.setWindowTitle(i18n::uiText("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    (void)printDocument(source, printer);
}

bool printDocument(const PrintSource& source, QPrinter& printer) {
    QString error;
    if (printSheet(source.sheet, source.draw, source.cache, printer, &error, source.jobName)) return true;
    if (source.sink)
        source.sink->show(fillTemplate(UI_TEXT("打印失败：%1"), {error.toStdString()}), kCaptionError,
                          MessageIcon::Error);
    return false;
}

} // namespace quorvel::app

#pragma once

#include "base/MessageSink.h"
#include "typeset/Canvas.h"
#include "typeset/qt/QtTextCache.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace quorvel::app {

// Where the sheet lands on a page whose printable area is `page` pixels: at the top left corner, as wide
// as the printable area and as high as page width x sheet height / sheet width (integer arithmetic,
// truncated), so the sheet keeps its proportions. A sheet that would then run off the bottom of the
// page is scaled to the page height instead, so nothing of it is lost.
QRect sheetPrintRect(const QSize& page, const QSize& sheet);

// Draws the whole sheet in the sheet's logical pixels; printing calls it with a canvas on the page.
using SheetDrawing = std::function<void(typeset::Canvas&)>;

// Prints the sheet (`sheet` logical pixels, drawn by draw) as one page of a job titled jobName:
// drawn straight onto the page at the printer's resolution, lines as lines and text as text, in the
// place sheetPrintRect gives. Returns false with the reason when the job could not be started or failed.
[[nodiscard]] bool printSheet(const QSize& sheet, const SheetDrawing& draw,
                              const std::shared_ptr<typeset::QtTextCache>& cache, QPrinter& printer,
                              QString* error, const QString& jobName = QString());

// The sheet as printing sees it: its size, its drawing, its text metrics, the window over which the
// dialog opens and where a failure is told.
struct PrintSource {
    QWidget* parent = nullptr;
    QSize sheet;
    SheetDrawing draw;
    std::shared_ptr<typeset::QtTextCache> cache;
    MessageSink* sink = nullptr;
    QString jobName; // the print job's title, after the document
};

// The page of a new print job: the document's job name, the sheet's orientation, margins of the printer's
// unprintable edge and at least 10 mm.
void preparePrinter(QPrinter& printer, const PrintSource& source);
// The print command: the printer dialog, then printDocument.
void printWithDialog(const PrintSource& source);
// 打印预览: the pages as they will print, with the preview's own print button.
void previewPrint(const PrintSource& source);
// Prints the sheet, drawn again onto the page; a failure is shown in the standard error box. Returns true
// when the job was sent.
bool printDocument(const PrintSource& source, QPrinter& printer);

} // namespace quorvel::app

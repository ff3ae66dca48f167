#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QImage;
class QPrinter;

namespace quorvel::app {

// Where the sheet lands on a page whose printable area is `page` pixels: at the top left corner, as wide
// as the printable area and as high as page width x sheet height / sheet width (integer arithmetic,
// truncated), so the sheet keeps its proportions. A sheet that would then run off the bottom of the
// page is scaled to the page height instead, so nothing of it is lost.
QRect sheetPrintRect(const QSize& page, const QSize& sheet);

// Prints the sheet bitmap as one page of a job titled "Quorvel--Quorvel". Returns false with the reason
// when the job could not be started or failed.
bool printSheet(const QImage& sheet, QPrinter& printer, QString* error);

} // namespace quorvel::app

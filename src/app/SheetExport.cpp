#include "app/SheetExport.h"
#include "i18n/Translation.h"

#include "app/Captions.h"
#include "app/ProgramSettings.h"
#include "app/SheetPrinting.h"
#include "app/TForm1.h"
#include "codec/AtomicSave.h"
#include "graph/PageRule.h"
#include "typeset/qt/SheetOutput.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMimeData>

#include <cmath>

namespace quorvel::app {

namespace {

constexpr const char* kPng = UI_TEXT("PNG 图片 (*.png)");
constexpr const char* kSvg = UI_TEXT("SVG 矢量图 (*.svg)");
constexpr const char* kPdf = UI_TEXT("PDF 文档 (*.pdf)");

QRect pagePlace(const QSize& page, const QSize& sheet) {
    const graph::PageArea area =
        graph::sheetPageArea(page.width(), page.height(), sheet.width(), sheet.height());
    return QRect(0, 0, area.width, area.height);
}

// How large a PNG is: 1×, 2×, or 300 dots per inch over a width the user gives. Nothing when cancelled.
std::optional<std::pair<double, int>> askPngScale(TForm1& form1, const QSize& sheet) {
    const QStringList choices{i18n::uiText("1×（与屏幕相同）"), i18n::uiText("2×（高清）"),
                              i18n::uiText("300 dpi（按打印宽度）")};
    bool ok = false;
    const QString choice = QInputDialog::getItem(&form1, i18n::uiText("导出图形"), i18n::uiText("分辨率："),
                                                 choices, 1, false, &ok);
    if (!ok) return std::nullopt;
    if (choice == choices[0]) return std::pair(1.0, 0);
    if (choice == choices[1]) return std::pair(2.0, 0);
    const double cm = QInputDialog::getDouble(&form1, i18n::uiText("导出图形"),
                                              i18n::uiText("打印宽度（厘米）："), 16, 1, 100, 1, &ok);
    if (!ok) return std::nullopt;
    const double pixels = cm / 2.54 * 300;
    return std::pair(pixels / sheet.width(), static_cast<int>(std::lround(300 / 0.0254)));
}

void exportSheet(TForm1& form1, MessageSink& sink) {
    const auto settings = programSettings();
    const QString folder = settings->value(QString::fromLatin1(kLastFolderKey)).toString();
    const QString png = i18n::uiText(kPng), svg = i18n::uiText(kSvg), pdf = i18n::uiText(kPdf);
    QString filter = png;
    const QString suggested =
        QFileInfo(QDir(folder), exportName(form1.fileName(), QStringLiteral("png"))).filePath();
    QString name =
        QFileDialog::getSaveFileName(&form1, i18n::uiText("导出图形"), suggested,
                                     png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &filter);
    if (name.isEmpty()) return;
    const QString wanted = filter == svg   ? QStringLiteral("svg")
                           : filter == pdf ? QStringLiteral("pdf")
                                           : QStringLiteral("png");
    if (QFileInfo(name).suffix().isEmpty()) name += QLatin1Char('.') + wanted;
    const QString suffix = QFileInfo(name).suffix().toLower();
    const PrintSource paper = form1.printSource();
    const typeset::SheetDrawing draw = [&paper](typeset::QtCanvas& canvas) { paper.draw(canvas); };
    QByteArray bytes;
    if (suffix == QLatin1String("svg")) {
        bytes = typeset::sheetSvg(paper.sheet, draw);
    } else if (suffix == QLatin1String("pdf")) {
        bytes = typeset::sheetPdf(paper.sheet, draw, &pagePlace);
    } else {
        const auto scale = askPngScale(form1, paper.sheet);
        if (!scale) return;
        bytes = typeset::sheetBitmap(paper.sheet, "png", draw, scale->first, scale->second);
    }
    QString error = i18n::uiText("无法生成图形");
    if (bytes.isEmpty() || !codec::saveBytesAtomically(name, bytes, &error)) {
        sink.show(fillTemplate(UI_TEXT("无法导出图形：%1"), {error.toStdString()}), kCaptionError,
                  MessageIcon::Error);
        return;
    }
    settings->setValue(QString::fromLatin1(kLastFolderKey), QFileInfo(name).absolutePath());
}

void copySheet(TForm1& form1) {
    const PrintSource paper = form1.printSource();
    const typeset::SheetDrawing draw = [&paper](typeset::QtCanvas& canvas) { paper.draw(canvas); };
    const double ratio = std::max(1.0, qGuiApp->devicePixelRatio());
    auto data = std::make_unique<QMimeData>();
    QImage image = QImage::fromData(typeset::sheetBitmap(paper.sheet, "png", draw, ratio), "PNG");
    image.setDevicePixelRatio(ratio);
    data->setImageData(image);
    data->setData(QStringLiteral("image/svg+xml"), typeset::sheetSvg(paper.sheet, draw));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

} // namespace

QString exportName(const QString& documentFile, const QString& suffix) {
    const QString base =
        documentFile.isEmpty() ? i18n::uiText(kUntitled) : QFileInfo(documentFile).completeBaseName();
    return base + QLatin1Char('.') + suffix;
}

void installSheetExport(TForm1& form1, MessageSink& sink) {
    form1.setCommand(QStringLiteral("N63"), [&form1, &sink] {
        exportSheet(form1, sink);
        return graph::change::kNone;
    });
    form1.setCommand(QStringLiteral("N64"), [&form1] {
        copySheet(form1);
        return graph::change::kNone;
    });
}

} // namespace quorvel::app

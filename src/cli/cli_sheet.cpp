// quorvel-cli sheet FILE.Fun -o FILE [--size WxH]: the whole sheet of a document, drawn by the same code as
// the program's window: a bitmap (.png, .bmp, .jpg), or vectors with text as text (.svg, and .pdf as an A4
// page the sheet spans in its proportions, as a printout would). Without --size the sheet covers every
// object; with it, objects that do not fit are reported.
#include "cli/CliCommand.h"
#include "cli/SheetPicture.h"

#ifdef QUORVEL_HAVE_CODEC
#include "codec/AtomicSave.h"
#include "codec/FunFile.h"
#include "document/Messages.h"
#include "document/ObjectExtent.h"
#include "expr/Engine.h"
#include "graph/AnnotationDrawing.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveSampler.h"
#include "graph/PageRule.h"
#include "graph/SheetPainter.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"
#include "typeset/qt/SheetOutput.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#endif

#include <charconv>
#include <functional>
#include <ostream>

namespace quorvel::cli {
namespace {

#ifdef QUORVEL_HAVE_CODEC
// Messages that reading and sampling the document show (such as "输入有误") go to stderr.
class StreamSink : public MessageSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void show(const std::string& text, const std::string&, MessageIcon) override { out_ << text << "\n"; }
    Answer ask(const std::string&, const std::string&) override { return Answer::Cancel; }

private:
    std::ostream& out_;
};

enum class SheetFormat { Bitmap, Svg, Pdf };

#endif

} // namespace

bool parseSheetSize(const std::string& text, SheetSize& size) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto side = [](const char* from, const char* to, int& out) {
        const auto [end, error] = std::from_chars(from, to, out);
        return error == std::errc() && end == to && out >= 1 && out <= kMaxSheetSide;
    };
    const char* begin = text.data();
    return side(begin, begin + x, size.width) && side(begin + x + 1, begin + text.size(), size.height);
}

#ifdef QUORVEL_HAVE_CODEC
bool sheetPictureFormatOk(const std::string& output, CliIo& io) {
    const QByteArray format = QFileInfo(QString::fromStdString(output)).suffix().toLower().toLatin1();
    if (format == "svg" || format == "pdf") return true;
    if (!format.isEmpty() && QImageWriter::supportedImageFormats().contains(format)) return true;
    io.err << "cannot write pictures of this kind: " << output << " (use .png, .bmp, .jpg, .svg or .pdf)\n";
    return false;
}

int writeSheetPicture(document::Document& doc, int width, int height, const std::string& output, CliIo& io) {
    StreamSink sink(io.err);
    expr::Engine engine(sink);
    graph::resampleAll(engine, doc, width);
    const QString target = QString::fromStdString(output);
    const QByteArray format = QFileInfo(target).suffix().toLower().toLatin1();
    const SheetFormat kind = format == "svg"   ? SheetFormat::Svg
                             : format == "pdf" ? SheetFormat::Pdf
                                               : SheetFormat::Bitmap;
    graph::GraphItemPainter curves;
    graph::SheetLayers layers;
    layers.graphItems = [&](typeset::Canvas& c) { curves.Draw_definefun(c, doc, width, height); };
    // The annotations belong to the sheet as in the window.
    layers.annotations = [&](typeset::Canvas& c) { graph::Draw_remark(c, doc); };
    const typeset::SheetDrawing draw = [&](typeset::QtCanvas& canvas) {
        graph::Draw_zuobiao(canvas, doc.view, graph::SheetGeometry::plain(width, height), layers);
    };
    const QSize sheet(width, height);
    QByteArray bytes;
    switch (kind) {
    case SheetFormat::Bitmap:
        bytes = typeset::sheetBitmap(sheet, format, draw);
        break;
    case SheetFormat::Svg:
        bytes = typeset::sheetSvg(sheet, draw);
        break;
    case SheetFormat::Pdf:
        bytes = typeset::sheetPdf(sheet, draw, [](const QSize& page, const QSize& drawn) {
            const graph::PageArea area =
                graph::sheetPageArea(page.width(), page.height(), drawn.width(), drawn.height());
            return QRect(0, 0, area.width, area.height);
        });
        break;
    }
    QString error = QStringLiteral("cannot encode the picture");
    if (bytes.isEmpty() || !codec::saveBytesAtomically(target, bytes, &error)) {
        io.err << "cannot write " << output << ": " << error.toStdString() << "\n";
        return kExitRefused;
    }
    return kExitOk;
}
#endif

namespace {

// The least sheet drawn without --size, the room kept around the objects when they need more, and the most
// it grows to (more than a window holds; objects farther away are reported).
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kCoverMargin = 10;
constexpr int kMaxCoverSide = 4096;

int runSheet(const std::vector<std::string>& args, CliIo& io) {
    const char* usage = "usage: quorvel-cli sheet FILE.Fun -o FILE.png|.svg|.pdf [--size WxH]\n";
    Options options;
    if (!parseOptions(args, {"-o", "--size"}, options, io)) return kExitUsage;
    const std::string* output = options.flag("-o");
    if (options.positional.size() != 1 || !output || output->empty()) {
        io.err << usage;
        return kExitUsage;
    }
    SheetSize size{kDefaultWidth, kDefaultHeight};
    const std::string* givenSize = options.flag("--size");
    if (givenSize && !parseSheetSize(*givenSize, size)) {
        io.err << "invalid size " << *givenSize << ": expected WxH with sides from 1 to " << kMaxSheetSide
               << "\n";
        return kExitUsage;
    }
#ifdef QUORVEL_HAVE_CODEC
    const auto gui = typeset::startHeadlessGui();
    if (!sheetPictureFormatOk(*output, io)) return kExitUsage;

    document::Document doc;
    doc.resetForOpen(size.width, size.height);
    // The curves are sampled once the sheet's size is known.
    const document::ReadResult read =
        codec::readFunFile(options.positional[0], doc, [](document::DEFINEFUN&) {});
    if (!read.ok) {
        io.err << read.refusalMessage() << "\n";
        if (!read.detail.empty()) io.err << options.positional[0] << ": " << read.detail << "\n";
        return kExitRefused;
    }
    if (read.cut) io.err << document::kObjectsCutMessage << "\n";
    {
        typeset::QtCanvas measuring;
        graph::measureRemarks(measuring, doc);
    }
    if (!givenSize) {
        const document::SheetFrame frame = document::coveringFrame(
            document::objectsExtent(doc), kDefaultWidth, kDefaultHeight, kCoverMargin, kMaxCoverSide);
        size = {frame.width, frame.height};
        document::moveDrawing(doc, -frame.left, -frame.top);
    }
    if (const int outside = document::objectsOutside(doc, size.width, size.height); outside > 0) {
        io.err << "warning: " << outside << (outside == 1 ? " object lies" : " objects lie")
               << " wholly or partly outside the " << size.width << "x" << size.height << " sheet";
        if (givenSize) io.err << "; without --size the sheet grows to cover them";
        io.err << "\n";
    }

    return writeSheetPicture(doc, size.width, size.height, *output, io);
#else
    io.err << "quorvel-cli was built without the file codec; sheet is not available\n";
    return kExitRefused;
#endif
}

const CommandRegistrar
    registerSheet("sheet", "sheet FILE.Fun -o FILE.png|.svg|.pdf [--size WxH]  picture of a document's sheet",
                  runSheet);

} // namespace
} // namespace quorvel::cli

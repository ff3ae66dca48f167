// quorvel-cli sheet FILE.Fun -o FILE.png [--size WxH]: the whole sheet of a document as a picture, drawn
// by the same code as the program's window.
#include "cli/CliCommand.h"

#ifdef QUORVEL_HAVE_CODEC
#include "codec/AtomicSave.h"
#include "codec/FunFile.h"
#include "document/Messages.h"
#include "expr/Engine.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveSampler.h"
#include "graph/SheetPainter.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#endif

#include <charconv>
#include <ostream>

namespace quorvel::cli {
namespace {

constexpr int kMaxSheetSide = 16384;

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
#endif

struct SheetSize {
    int width = 800;
    int height = 600;
};

// "WxH" with both sides from 1 to kMaxSheetSide.
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

int runSheet(const std::vector<std::string>& args, CliIo& io) {
    const char* usage = "usage: quorvel-cli sheet FILE.Fun -o FILE.png [--size WxH]\n";
    Options options;
    if (!parseOptions(args, {"-o", "--size"}, options, io)) return kExitUsage;
    const std::string* output = options.flag("-o");
    if (options.positional.size() != 1 || !output || output->empty()) {
        io.err << usage;
        return kExitUsage;
    }
    SheetSize size;
    if (const std::string* given = options.flag("--size"); given && !parseSheetSize(*given, size)) {
        io.err << "invalid size " << *given << ": expected WxH with sides from 1 to " << kMaxSheetSide
               << "\n";
        return kExitUsage;
    }
#ifdef QUORVEL_HAVE_CODEC
    const auto gui = typeset::startHeadlessGui();
    const QString target = QString::fromStdString(*output);
    const QByteArray format = QFileInfo(target).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) {
        io.err << "cannot write pictures of this kind: " << *output << " (use .png, .bmp or .jpg)\n";
        return kExitUsage;
    }

    document::Document doc;
    doc.resetForOpen(size.width, size.height);
    StreamSink sink(io.err);
    expr::Engine engine(sink);
    const document::ReadResult read =
        codec::readFunFile(options.positional[0], doc, graph::resampleHook(engine, doc.view, size.width));
    if (!read.ok) {
        io.err << document::kNotOurFileMessage << "\n";
        if (!read.detail.empty()) io.err << options.positional[0] << ": " << read.detail << "\n";
        return kExitRefused;
    }
    if (read.cut) io.err << document::kObjectsCutMessage << "\n";

    QImage sheet(size.width, size.height, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        typeset::QtCanvas canvas(sheet);
        graph::GraphItemPainter curves;
        graph::SheetLayers layers;
        layers.graphItems = [&](typeset::Canvas& c) { curves.Draw_definefun(c, doc, size.width); };
        graph::Draw_zuobiao(canvas, doc.view, graph::SheetGeometry::plain(size.width, size.height), layers);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString error = QStringLiteral("cannot encode the picture");
    if (!buffer.open(QIODevice::WriteOnly) || !sheet.save(&buffer, format.constData()) ||
        !codec::saveBytesAtomically(target, bytes, &error)) {
        io.err << "cannot write " << *output << ": " << error.toStdString() << "\n";
        return kExitRefused;
    }
    return kExitOk;
#else
    io.err << "quorvel-cli was built without the file codec; sheet is not available\n";
    return kExitRefused;
#endif
}

const CommandRegistrar registerSheet("sheet",
                                     "sheet FILE.Fun -o FILE.png [--size WxH]  picture of a document's sheet",
                                     runSheet);

} // namespace
} // namespace quorvel::cli

// quorvel-cli examples DIR: the editor's example pictures ("tubiaolizi"), made from its button tables.
#include "base/MessageSink.h"
#include "cli/CliCommand.h"
#include "editor/core/EditorTables.h"
#include "expr/Parser.h"
#include "expr/Validation.h"
#include "typeset/FormulaStyle.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/HeadlessGui.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <ostream>

namespace quorvel::cli {

namespace {

// True when every pixel has the colour of the first: a refused or empty formula draws nothing.
bool blank(const QImage& image) {
    if (image.isNull()) return true;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (line[x] != first) return false;
    }
    return true;
}

// Why the checks refuse the markup, or empty when they pass.
std::string refusalOf(const std::string& text) {
    RecordingSink quiet;
    if (expr::validate(quiet, text, true)) return {};
    RecordingSink loud;
    (void)expr::validate(loud, text, false);
    return loud.shown.empty() ? std::string("refused") : loud.shown.front().text;
}

// A picture that cannot be made fails the whole run: a blank or missing example is a build error, not
// something to find in the editor later.
int examples(const std::vector<std::string>& args, CliIo& io) {
    if (args.size() != 1) {
        io.err << "usage: quorvel-cli examples DIR\n";
        return kExitUsage;
    }
    const QString folder = QString::fromStdString(args[0]);
    if (!QDir().mkpath(folder)) {
        io.err << "cannot create the folder " << args[0] << "\n";
        return kExitRefused;
    }
    auto app = typeset::startHeadlessGui();
    typeset::FormulaStyle style;
    style.fontName = "Times New Roman";
    style.fontSize = 16;
    typeset::PictureOptions options;
    options.background = Qt::white;
    auto cache = std::make_shared<typeset::QtTextCache>();

    for (const editor::ExamplePicture& entry : editor::examplePictures()) {
        const std::string picture(entry.picture);
        const std::string markup(entry.markup);
        if (const std::string why = refusalOf(expr::stripBlanks(markup)); !why.empty()) {
            io.err << picture << ": the example " << markup << " is refused: " << why << "\n";
            return kExitRefused;
        }
        std::string refusal;
        typeset::TypesetFormula formula = typeset::typesetMarkup(markup, style, cache, &refusal);
        if (formula.empty() || blank(typeset::renderFormulaImage(formula, cache, options))) {
            io.err << picture << ": the example " << markup << " draws nothing"
                   << (refusal.empty() ? std::string() : ": " + refusal) << "\n";
            return kExitRefused;
        }
        const QString path = QDir(folder).filePath(QString::fromStdString(picture));
        QString error;
        if (!typeset::writeFormulaPicture(formula, cache, path, &error, options)) {
            io.err << picture << ": " << error.toStdString() << "\n";
            return kExitRefused;
        }
    }
    io.out << editor::examplePictures().size() << " example pictures in " << args[0] << "\n";
    return kExitOk;
}

const CommandRegistrar
    examplesCommand("examples", "examples DIR                   the editor's example pictures", examples);

} // namespace

} // namespace quorvel::cli

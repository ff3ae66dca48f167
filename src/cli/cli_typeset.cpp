// quorvel-cli commands of formula typesetting: measure, textsize, render.
#include "base/NumberFormat.h"
#include "cli/CliCommand.h"
#include "expr/Conversion.h"
#include "expr/Parser.h"
#include "typeset/FormulaStyle.h"
#include "typeset/TypesetFormula.h"
#include "typeset/Typesetter.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"

#include <QGuiApplication>

#include <ostream>
#include <utility>
#include <vector>

namespace quorvel::cli {

namespace {

using namespace quorvel::typeset;

// --font, --size and --italic (letter variables in italic), with the formula defaults; false (with a
// message) for a size that does not read.
bool readStyle(Options& options, FormulaStyle& style, CliIo& io) {
    style.italicVariables = options.takeSwitch("--italic");
    if (const std::string* font = options.flag("--font")) style.fontName = *font;
    if (const std::string* size = options.flag("--size")) {
        const auto value = parseInteger(*size);
        if (!value || *value < FormulaStyle::kMinFontSize || *value > FormulaStyle::kMaxFontSize) {
            io.err << "--size needs a whole number of points from " << FormulaStyle::kMinFontSize << " to "
                   << FormulaStyle::kMaxFontSize << ": " << *size << "\n";
            return false;
        }
        style.fontSize = static_cast<int>(*value);
    }
    return true;
}

// The tree of TEXT's function form, or null with the parser's message on io.err.
expr::ExprTree treeOf(const std::string& text, CliIo& io) {
    std::string refusal;
    const std::string form = expr::toFunctionForm(expr::stripBlanks(text), &refusal);
    expr::ExprTree tree;
    if (refusal.empty()) tree = expr::buildTree(form, &refusal);
    if (!refusal.empty()) {
        io.err << refusal << "\n";
        return nullptr;
    }
    expr::linkParents(tree.get());
    return tree;
}

int measure(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    if (!parseOptions(args, {"--font", "--size"}, options, io)) return kExitUsage;
    FormulaStyle style;
    if (!readStyle(options, style, io) || options.positional.size() != 1) {
        io.err << "usage: quorvel-cli measure TEXT [--font F] [--size N] [--italic]\n";
        return kExitUsage;
    }
    auto app = startHeadlessGui();
    expr::ExprTree tree = treeOf(options.positional[0], io);
    if (!tree) return kExitRefused;
    QtCanvas canvas;
    Typesetter typesetter;
    typesetter.style = style;
    const FormulaLayout layout = typesetter.layout(tree.get(), canvas);

    // Pre-order: the node, then first, second, third, then the next item of its list at the same depth.
    std::vector<std::pair<const expr::ExprNode*, int>> pending{{tree.get(), 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        io.out << depth << '\t' << node->text << '\t' << node->width << '\t' << node->height << '\t'
               << node->headWidth << '\t' << node->headHeight << '\n';
        if (node->next) pending.emplace_back(node->next.get(), depth);
        for (const expr::ExprNode* child : {node->third.get(), node->second.get(), node->first.get()})
            if (child) pending.emplace_back(child, depth + 1);
    }
    io.out << "bracketCount\t" << layout.bracketCount << '\n';
    return kExitOk;
}

int textsize(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    if (!parseOptions(args, {"--font", "--size"}, options, io)) return kExitUsage;
    FormulaStyle style;
    if (!readStyle(options, style, io) || options.positional.size() != 1) {
        io.err << "usage: quorvel-cli textsize STR [--font F] [--size N] [--italic]\n";
        return kExitUsage;
    }
    auto app = startHeadlessGui();
    QtCanvas canvas;
    canvas.setFontName(style.fontName);
    canvas.setFontSize(style.fontSize);
    canvas.setFontStyle(false, style.italicVariables, false, false);
    const std::string& text = options.positional[0];
    io.out << canvas.textWidth(text) << '\t' << canvas.textHeight(text) << '\n';
    return kExitOk;
}

int render(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    if (!parseOptions(args, {"-o", "--font", "--size"}, options, io)) return kExitUsage;
    FormulaStyle style;
    const std::string* output = options.flag("-o");
    if (!readStyle(options, style, io) || options.positional.size() != 1 || !output) {
        io.err << "usage: quorvel-cli render TEXT -o FILE [--font F] [--size N] [--italic]\n";
        return kExitUsage;
    }
    const QString path = QString::fromStdString(*output);
    if (!pictureFormatFor(path)) {
        io.err << "unknown picture format (use .png, .bmp, .svg or .pdf): " << *output << "\n";
        return kExitUsage;
    }
    // What the editor would refuse is no picture: say why instead of writing a blank one. The text is
    // markup here: the typed notation was rewritten before the command ran.
    expr::Conversion conversion =
        expr::convertText(options.positional[0], expr::Road::Picture, expr::Reading::Literal);
    if (const auto& failure = conversion.failure) {
        if (!failure->precedingMessage.empty()) io.err << failure->precedingMessage << "\n";
        io.err << failure->message << "\n";
        return kExitRefused;
    }
    auto app = startHeadlessGui();
    expr::ExprTree tree = std::move(conversion.tree);
    auto cache = std::make_shared<QtTextCache>();
    QtCanvas measuring(cache);
    TypesetFormula formula(std::move(tree), style, measuring);
    QString error;
    if (!writeFormulaPicture(formula, cache, path, &error)) {
        io.err << error.toStdString() << "\n";
        return kExitRefused;
    }
    return kExitOk;
}

const CommandRegistrar measureCommand("measure", "measure TEXT [--font F] [--size N] [--italic] [--literal]",
                                      measure, TextArgument::Typed);
const CommandRegistrar textsizeCommand("textsize", "textsize STR [--font F] [--size N] [--italic]", textsize);
const CommandRegistrar renderCommand("render",
                                     "render TEXT -o FILE [--font F] [--size N] [--italic] [--literal]",
                                     render, TextArgument::Typed);

} // namespace

} // namespace quorvel::cli

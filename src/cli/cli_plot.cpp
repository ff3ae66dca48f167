// quorvel-cli plot -o FILE [--size WxH] [--origin X,Y] [--unit N] [--grid square|rect|polar] [--save DOC.Fun]
// CURVE...: a sheet with curves of every kind, drawn by the code of the program's window, for worksheet
// figures made by a script. Each CURVE is --function TEXT, --parametric XTEXT YTEXT [--t A,B],
// --polar RTEXT [--theta A,B], --implicit TEXT or --region TEXT, optionally followed by --colour #RRGGBB.
// --save writes the document drawn, so `quorvel-cli sheet` of it gives the same picture.
#include "cli/CliCommand.h"
#include "cli/SheetPicture.h"

#ifdef QUORVEL_HAVE_CODEC
#include "base/NumberFormat.h"
#include "codec/FunFile.h"
#include "document/Records.h"
#include "expr/Conversion.h"
#include "graph/CurveDrawing.h"
#include "graph/CurvePalette.h"
#include "graph/ParameterRange.h"
#include "graph/PlaneFormula.h"
#include "typeset/qt/ColorConversion.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"

#include <QColor>
#include <QString>
#endif

#include <algorithm>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quorvel::cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvel-cli plot -o FILE [--size WxH] [--origin X,Y] [--unit N] [--grid square|rect|polar]\n"
    "           [--save DOC.Fun] CURVE...\n"
    "  CURVE: --function TEXT | --parametric XTEXT YTEXT [--t A,B] | --polar RTEXT [--theta A,B]\n"
    "         | --implicit TEXT | --region TEXT, each optionally followed by --colour #RRGGBB\n";

// One curve as given: its kind, its texts, its range and colour if given.
struct CurveArgument {
    int kind = 0;
    std::string option;
    std::vector<std::string> texts;
    std::optional<std::string> range;
    std::optional<std::string> colour;
};

struct PlotArguments {
    std::string output;
    std::optional<std::string> size;
    std::optional<std::string> origin;
    std::optional<std::string> unit;
    std::optional<std::string> grid;
    std::optional<std::string> save;
    std::vector<CurveArgument> curves;
};

struct CurveOption {
    const char* name;
    int kind;
    int texts;
    const char* rangeOption; // nullptr: no range
};

constexpr CurveOption kCurveOptions[] = {
    {"--function", document::KindCustomFunction, 1, nullptr},
    {"--parametric", document::KindParametric, 2, "--t"},
    {"--polar", document::KindPolar, 1, "--theta"},
    {"--implicit", document::KindImplicit, 1, nullptr},
    {"--region", document::KindRegion, 1, nullptr},
};

const CurveOption* curveOption(const std::string& name) {
    for (const CurveOption& option : kCurveOptions)
        if (name == option.name) return &option;
    return nullptr;
}

// Reads the arguments in order; false with the reason on io.err.
bool readArguments(const std::vector<std::string>& args, PlotArguments& out, CliIo& io) {
    const auto value = [&](std::size_t& i, std::string& into) {
        if (i + 1 >= args.size()) {
            io.err << "missing value for " << args[i] << "\n";
            return false;
        }
        into = args[++i];
        return true;
    };
    const std::pair<const char*, std::optional<std::string>*> sheetOptions[] = {
        {"--size", &out.size}, {"--origin", &out.origin}, {"--unit", &out.unit},
        {"--grid", &out.grid}, {"--save", &out.save},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string text;
        if (a == "-o") {
            if (!value(i, out.output)) return false;
            continue;
        }
        bool sheetOption = false;
        for (const auto& [name, slot] : sheetOptions)
            if (a == name) {
                if (!value(i, text)) return false;
                *slot = text;
                sheetOption = true;
            }
        if (sheetOption) continue;
        if (const CurveOption* option = curveOption(a)) {
            CurveArgument curve{option->kind, a, {}, {}, {}};
            for (int k = 0; k < option->texts; ++k) {
                if (!value(i, text)) return false;
                curve.texts.push_back(text);
            }
            out.curves.push_back(std::move(curve));
            continue;
        }
        const bool range = a == "--t" || a == "--theta";
        if (range || a == "--colour" || a == "--color") {
            if (out.curves.empty()) {
                io.err << a << " belongs after a curve\n";
                return false;
            }
            CurveArgument& last = out.curves.back();
            const CurveOption* option = curveOption(last.option);
            if (range && (!option->rangeOption || a != option->rangeOption)) {
                io.err << a << " does not apply to " << last.option << "\n";
                return false;
            }
            if (!value(i, text)) return false;
            (range ? last.range : last.colour) = text;
            continue;
        }
        io.err << "unknown argument " << a << "\n";
        return false;
    }
    if (out.output.empty() || out.curves.empty()) {
        io.err << kUsage;
        return false;
    }
    return true;
}

#ifdef QUORVEL_HAVE_CODEC

// "A,B" as two numbers (each may use π).
std::optional<std::pair<double, double>> numberPair(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const auto a = graph::parameterBound(text.substr(0, comma));
    const auto b = graph::parameterBound(text.substr(comma + 1));
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

// "#RRGGBB" as the document's colour value.
std::optional<int> colourValue(const std::string& text) {
    const QColor colour(QString::fromStdString(text));
    if (text.size() != 7 || text[0] != '#' || !colour.isValid()) return std::nullopt;
    return typeset::fromQColor(colour);
}

// The typed text of a curve as the editor would take it: a parametric pair as a system x=…; y=…, a polar
// right side as r=….
std::string typedFormula(const CurveArgument& curve) {
    const auto withLeft = [](const std::string& text, const char* left) {
        return text.find('=') == std::string::npos ? std::string(left) + "=" + text : text;
    };
    switch (curve.kind) {
    case document::KindParametric:
        return withLeft(curve.texts[0], "x") + ";" + withLeft(curve.texts[1], "y");
    case document::KindPolar:
        return withLeft(curve.texts[0], "r");
    default:
        return curve.texts[0];
    }
}

// The item for curve, or nothing with the reason on io.err.
std::optional<document::DEFINEFUN> curveItem(const CurveArgument& curve, const document::Document& doc,
                                             CliIo& io) {
    const std::string typed = typedFormula(curve);
    const expr::Conversion conversion = expr::convertText(typed, expr::Road::Value);
    if (!conversion.ok()) {
        io.err << curve.option << " " << typed << ":\n";
        printFailure(*conversion.failure, io.err);
        return std::nullopt;
    }
    const graph::KindFit fit = graph::fitCurveKind(conversion.canonical, curve.kind);
    const bool regionWanted = curve.kind == document::KindRegion;
    if (!fit.kind || (regionWanted && *fit.kind != document::KindRegion) ||
        (curve.kind == document::KindImplicit && *fit.kind != document::KindImplicit)) {
        io.err << curve.option << " " << typed << ": "
               << (fit.kind ? (regionWanted ? "not an inequality" : "not an equation") : fit.problem) << "\n";
        return std::nullopt;
    }
    document::DEFINEFUN item;
    item.kind = *fit.kind;
    item.expression = conversion.canonical;
    item.labelColours = typeset::FormulaStyle{}.colors.asArray();
    item.colour = graph::nextCurveColour(doc);
    if (curve.colour) {
        const std::optional<int> colour = colourValue(*curve.colour);
        if (!colour) {
            io.err << "invalid colour " << *curve.colour << ": expected #RRGGBB\n";
            return std::nullopt;
        }
        item.colour = *colour;
    }
    if (item.kind == document::KindParametric || item.kind == document::KindPolar) {
        item.domainStart = graph::kDefaultParameterStart;
        item.domainEnd = graph::kDefaultParameterEnd;
        if (curve.range) {
            const auto range = numberPair(*curve.range);
            if (!range || !(range->first < range->second)) {
                io.err << "invalid range " << *curve.range << ": expected A,B with A < B\n";
                return std::nullopt;
            }
            std::tie(item.domainStart, item.domainEnd) = *range;
        }
    }
    doc.placeNewItem(item);
    return item;
}

// Applies --origin, --unit and --grid to the view of a new document; false with the reason on io.err.
bool applyView(const PlotArguments& args, document::ViewSettings& view, CliIo& io) {
    if (args.origin) {
        const auto origin = numberPair(*args.origin);
        if (!origin) {
            io.err << "invalid origin " << *args.origin << ": expected X,Y in pixels\n";
            return false;
        }
        std::tie(view.originX, view.originY) = *origin;
    }
    if (args.unit) {
        const std::optional<double> unit = parseDecimal(*args.unit);
        if (!unit || !(*unit > 0) || *unit > 1e6) {
            io.err << "invalid unit " << *args.unit << ": expected pixels per unit, above 0\n";
            return false;
        }
        view.unitCommon = view.unitX = view.unitY = *unit;
    }
    if (args.grid) {
        const std::pair<const char*, int> grids[] = {{"square", document::GridSquare},
                                                     {"rect", document::GridRectangular},
                                                     {"polar", document::GridPolar}};
        const auto* found = std::find_if(std::begin(grids), std::end(grids),
                                         [&](const auto& grid) { return *args.grid == grid.first; });
        if (found == std::end(grids)) {
            io.err << "invalid grid " << *args.grid << ": expected square, rect or polar\n";
            return false;
        }
        view.gridKind = found->second;
        view.gridShown = 1;
    }
    return true;
}

#endif

int runPlot(const std::vector<std::string>& args, CliIo& io) {
    PlotArguments plot;
    if (!readArguments(args, plot, io)) return kExitUsage;
    SheetSize size{800, 600};
    if (plot.size && !parseSheetSize(*plot.size, size)) {
        io.err << "invalid size " << *plot.size << ": expected WxH with sides from 1 to " << kMaxSheetSide
               << "\n";
        return kExitUsage;
    }
#ifdef QUORVEL_HAVE_CODEC
    const auto gui = typeset::startHeadlessGui();
    if (!sheetPictureFormatOk(plot.output, io)) return kExitUsage;
    document::Document doc;
    doc.resetForNew(size.width, size.height);
    if (!applyView(plot, doc.view, io)) return kExitUsage;
    graph::GraphItemPainter labels;
    typeset::QtCanvas measuring;
    for (const CurveArgument& curve : plot.curves) {
        std::optional<document::DEFINEFUN> item = curveItem(curve, doc, io);
        if (!item) return kExitRefused;
        labels.sizeLabelBox(*item, measuring);
        if (!doc.addCurve(std::move(*item))) {
            io.err << document::kListFullMessage << "\n";
            return kExitRefused;
        }
    }
    const int written = writeSheetPicture(doc, size.width, size.height, plot.output, io);
    if (written != kExitOk || !plot.save) return written;
    // Saved after drawing, which names the curves as the window names them.
    const codec::SaveResult saved = codec::saveFunFile(*plot.save, doc);
    if (!saved.ok) {
        io.err << "cannot write " << *plot.save << ": " << saved.message << "\n";
        return kExitRefused;
    }
    return kExitOk;
#else
    io.err << "quorvel-cli was built without the file codec; plot is not available\n";
    return kExitRefused;
#endif
}

const CommandRegistrar
    registerPlot("plot",
                 "plot -o FILE [--size WxH] [--origin X,Y] [--unit N] [--grid square|rect|polar] "
                 "[--save DOC.Fun] CURVE...  curves of every kind on a sheet",
                 runPlot);

} // namespace
} // namespace quorvel::cli

// quorvel-cli commands that read a curve: points, intersect, table (graph/CurveAnalysis, as the sheet uses).
#include "base/NumberFormat.h"
#include "cli/CliCommand.h"
#include "expr/Conversion.h"
#include "graph/CurveAnalysis.h"
#include "graph/CurveFunction.h"

#include <optional>
#include <ostream>
#include <vector>

namespace quorvel::cli {

namespace {

// The grid the CLI analyses a range on: the pixel columns of a full-HD sheet showing the range.
constexpr int kGridColumns = 1920;
constexpr double kDefaultFrom = -10;
constexpr double kDefaultTo = 10;

constexpr const char* kPointsUsage = "points TEXT [--from A] [--to B] [NAME=VALUE]... [--literal]";
constexpr const char* kIntersectUsage =
    "intersect TEXT1 TEXT2 [--from A] [--to B] [NAME=VALUE]... [--literal]";
constexpr const char* kTableUsage = "table TEXT --from A --step S --rows N [NAME=VALUE]... [--literal]";

// The value of a number option, its default when it is not given; nothing (with a message) when it does
// not read as a number.
std::optional<double> numberOption(const Options& options, const std::string& flag,
                                   std::optional<double> fallback, const char* usage, CliIo& io) {
    const std::string* given = options.flag(flag);
    if (!given) {
        if (!fallback) io.err << "usage: quorvel-cli " << usage << "\n";
        return fallback;
    }
    const std::optional<double> value = parseDecimal(*given);
    if (!value) io.err << "not a number: " << *given << "\n";
    return value;
}

// TEXT on the plotting road of eval with the names given: the curve, or nothing with the refusal on
// io.err.
std::optional<graph::CurveFunction> curveOf(const std::string& text, expr::Reading reading,
                                            const std::vector<graph::NamedValue>& values, CliIo& io) {
    const expr::Conversion conversion = expr::convertText(text, expr::Road::Value, reading);
    if (conversion.failure) {
        printFailure(*conversion.failure, io.err);
        return std::nullopt;
    }
    std::string refusal;
    std::optional<graph::CurveFunction> curve = graph::CurveFunction::fromText(
        conversion.functionForm, expr::TextKind::FunctionForm, values, &refusal);
    if (!curve) io.err << refusal << "\n";
    return curve;
}

// The positional arguments after the texts, as the values of names.
std::optional<std::vector<graph::NamedValue>> namedValues(const Options& options, std::size_t texts,
                                                          CliIo& io) {
    std::vector<Assignment> assignments;
    if (!readAssignments(options.positional, texts, assignments, io)) return std::nullopt;
    std::vector<graph::NamedValue> values;
    for (const Assignment& a : assignments)
        values.push_back({a.name, a.value});
    return values;
}

// --from and --to, -10 … 10 unless given; nothing (with a message) when they do not read or are no range.
std::optional<graph::AnalysisRange> rangeOf(const Options& options, const char* usage, CliIo& io) {
    const std::optional<double> from = numberOption(options, "--from", kDefaultFrom, usage, io);
    const std::optional<double> to = numberOption(options, "--to", kDefaultTo, usage, io);
    if (!from || !to) return std::nullopt;
    if (!(*from < *to)) {
        io.err << "--from must be less than --to\n";
        return std::nullopt;
    }
    return graph::AnalysisRange{*from, *to, kGridColumns};
}

int points(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    const auto reading = readText(args, options, {"--from", "--to"}, kPointsUsage, io);
    if (!reading) return kExitUsage;
    const auto range = rangeOf(options, kPointsUsage, io);
    const auto values = namedValues(options, 1, io);
    if (!range || !values) return kExitUsage;
    const auto curve = curveOf(options.positional[0], *reading, *values, io);
    if (!curve) return kExitRefused;
    for (const graph::PointOfInterest& p : graph::pointsOfInterest(*curve, *range).points)
        io.out << graph::pointKindName(p.kind) << "\t" << formatGeneral(p.x) << "\t" << formatGeneral(p.y)
               << "\n";
    return kExitOk;
}

int intersect(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    const auto reading = readText(args, options, {"--from", "--to"}, kIntersectUsage, io);
    if (!reading) return kExitUsage;
    if (options.positional.size() < 2) {
        io.err << "usage: quorvel-cli " << kIntersectUsage << "\n";
        return kExitUsage;
    }
    const auto range = rangeOf(options, kIntersectUsage, io);
    const auto values = namedValues(options, 2, io);
    if (!range || !values) return kExitUsage;
    const auto first = curveOf(options.positional[0], *reading, *values, io);
    if (!first) return kExitRefused;
    const auto second = curveOf(options.positional[1], *reading, *values, io);
    if (!second) return kExitRefused;
    for (const graph::CurvePoint& p : graph::intersections(*first, *second, *range).points)
        io.out << formatGeneral(p.x) << "\t" << formatGeneral(p.y) << "\n";
    return kExitOk;
}

int table(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    const auto reading = readText(args, options, {"--from", "--step", "--rows"}, kTableUsage, io);
    if (!reading) return kExitUsage;
    const auto from = numberOption(options, "--from", std::nullopt, kTableUsage, io);
    const auto step = numberOption(options, "--step", std::nullopt, kTableUsage, io);
    if (!from || !step) return kExitUsage;
    const std::string* rowsText = options.flag("--rows");
    const std::optional<long long> rows = rowsText ? parseInteger(*rowsText) : std::nullopt;
    if (!rows || *rows < 1 || *rows > graph::kMaxTableRows) {
        io.err << "--rows takes a whole number from 1 to " << graph::kMaxTableRows << "\n";
        return kExitUsage;
    }
    const auto values = namedValues(options, 1, io);
    if (!values) return kExitUsage;
    const auto curve = curveOf(options.positional[0], *reading, *values, io);
    if (!curve) return kExitRefused;
    for (const graph::TableRow& row : graph::tableOfValues(*curve, *from, *step, static_cast<int>(*rows)))
        io.out << formatGeneral(row.x) << "\t" << (row.y ? formatGeneral(*row.y) : "无定义") << "\n";
    return kExitOk;
}

const CommandRegistrar kPoints("points", std::string(kPointsUsage) + "  zeros, extrema, y-intercept", points);
const CommandRegistrar kIntersect("intersect", std::string(kIntersectUsage) + "  where two curves meet",
                                  intersect);
const CommandRegistrar kTable("table", std::string(kTableUsage) + "  a table of values", table);

} // namespace

} // namespace quorvel::cli

// The hostile-input table: texts, counts, depths, numbers, encodings and files that a user or a file can
// bring, each with the answer every road must give.
#include "HostileCases.h"

#include "base/Utf8Text.h"
#include "cli/CliCommand.h"
#include "codec/FunFile.h"
#include "document/Document.h"
#include "document/Messages.h"

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::hostile {

namespace {

const std::string kTooLong = "表达式的长度超过了65536个字节，请修改！";
const std::string kBracketsTooDeep = "表达式中括号的嵌套超过了1000层，请修改！";
const std::string kOperationsTooDeep = "表达式中运算的嵌套超过了1000层，请修改！";
const std::string kTooComplex = "表达式过于复杂，无法转换，请修改！";
const std::string kCalculationFailed =
    "输入有误或表达式中含有不能计算的函数,或者计算的结果太大和太小，输出的结果将不正确！";
constexpr std::size_t kLimitBytes = 65536;

std::string repeat(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// "x" joined by op, terms in all.
std::string chain(std::string_view term, std::string_view op, std::size_t terms) {
    return std::string(term) + repeat(std::string(op) + std::string(term), terms - 1);
}

std::string brackets(std::size_t levels) {
    return repeat("(", levels) + "x" + repeat(")", levels);
}

std::string conditions(std::size_t n) {
    return "con(" + std::to_string(n) + ",x," + chain("x>0", ";", n) + ")";
}

// Sums nested three deep, so that the tree stays shallow: groups of 64 numbers, groups of 16 of those,
// and as many of these as fit, padded with one long zero to exactly the byte limit.
struct AtLimit {
    std::string text;
    long long terms = 0;
};
AtLimit sumAtLimit() {
    const std::string inner = "(" + chain("1000000", "+", 64) + ")";
    const std::string middle = "(" + chain(inner, "+", 16) + ")";
    AtLimit at;
    at.text = middle;
    long long groups = 1;
    while (at.text.size() + 1 + middle.size() + 2 <= kLimitBytes) {
        at.text += "+" + middle;
        ++groups;
    }
    at.text += "+" + std::string(kLimitBytes - at.text.size() - 1, '0');
    at.terms = groups * 16 * 64;
    return at;
}

// A text of a few hundred bytes whose tree would hold about matrices times 10,000 nodes: the cells it
// leaves out. The checks refuse missing cells, but the node limit answers first, and files bring such
// texts past the checks.
std::string manyNodes(std::size_t matrices) {
    return "lak(" + std::to_string(matrices + 1) + "," + repeat("matrix(100,100,x);", matrices) + "x)";
}

// Full 100 by 100 matrices in a list: with every cell written, three (30,000 nodes) fill most of the
// text limit.
std::string fullMatrices(std::size_t matrices) {
    const std::string matrix = "matrix(100,100," + chain("x", ";", 10000) + ");";
    return "lak(" + std::to_string(matrices + 1) + "," + repeat(matrix, matrices) + "x)";
}

std::vector<std::string> command(std::initializer_list<std::string> words) {
    return words;
}

using Shared = std::shared_ptr<const std::string>;

void add(std::vector<HostileCase>& table, std::string name, std::vector<std::string> line, Expected expected,
         bool benchmarkOnly = false) {
    table.push_back({std::move(name), [line = std::move(line)](const std::string&) { return line; },
                     std::move(expected), benchmarkOnly});
}

// Every road that takes a formula: the checks, the function form, the tree, a value on the plotting road,
// a calculation, the measured layout and a picture.
enum class Road { Check, Form, Tree, Eval, Calc, Measure, Render };
constexpr Road kRoads[] = {Road::Check, Road::Form,    Road::Tree,  Road::Eval,
                           Road::Calc,  Road::Measure, Road::Render};

const char* roadName(Road road) {
    switch (road) {
    case Road::Check:
        return "check";
    case Road::Form:
        return "form";
    case Road::Tree:
        return "tree";
    case Road::Eval:
        return "eval";
    case Road::Calc:
        return "calc";
    case Road::Measure:
        return "measure";
    case Road::Render:
        break;
    }
    return "render";
}

HostileCase onRoad(const std::string& name, Road road, const Shared& text, Expected expected) {
    return {name + " / " + roadName(road),
            [road, text](const std::string& dir) {
                std::vector<std::string> line{roadName(road), *text};
                // A calculation takes x as a name; at 1 it answers as the plotting road at x = 1.
                if (road == Road::Calc) line.push_back("x=1");
                if (road == Road::Render) {
                    line.push_back("-o");
                    line.push_back(dir + "/picture.png");
                }
                return line;
            },
            std::move(expected), false};
}

// A text that every road refuses with message, a calculation too (its text then ends in "=错误").
void refusedEverywhere(std::vector<HostileCase>& table, const std::string& name, std::string text,
                       const std::string& message) {
    const Shared shared = std::make_shared<const std::string>(std::move(text));
    for (Road road : kRoads) {
        Expected e{1, Stream::Err, message};
        if (road == Road::Check) e.stream = Stream::Out;
        table.push_back(onRoad(name, road, shared, e));
    }
}

// A text that every road accepts; value is what it evaluates to at x = 1, none when it has no value
// (a matrix), which evaluation reports as undefined and a calculation as its error.
void acceptedEverywhere(std::vector<HostileCase>& table, const std::string& name, std::string text,
                        const std::optional<std::string>& value) {
    const Shared shared = std::make_shared<const std::string>(std::move(text));
    for (Road road : kRoads) {
        Expected e{0, Stream::Out, "", true};
        if (road == Road::Check) e = {0, Stream::Out, "ok"};
        if (road == Road::Eval) e = {value ? 0 : 1, Stream::Out, value.value_or("undefined")};
        if (road == Road::Calc) e = {value ? 0 : 1, Stream::Out, *shared + "=" + value.value_or("错误")};
        table.push_back(onRoad(name, road, shared, e));
    }
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a ".Fun" file holding count annotations (more than a document can hold).
std::string annotationsFile(long long count) {
    document::Document doc;
    document::REMARK remark;
    remark.text = "注释";
    remark.right = 30;
    remark.bottom = 12;
    doc.addRemark(remark);
    const std::string one = codec::funFileBytes(doc);
    // Lead line, three view lines, the count, the annotation's two lines, the count of graph items.
    std::vector<std::string> lines;
    std::istringstream in(one);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line + "\n");
    if (lines.size() != 8) return one;
    std::string out = lines[0] + lines[1] + lines[2] + lines[3] + std::to_string(count) + "\r\n";
    out.reserve(out.size() + static_cast<std::size_t>(count) * (lines[5].size() + lines[6].size()) + 16);
    const std::string block = lines[5] + lines[6];
    for (long long i = 0; i < count; ++i)
        out += block;
    return out + lines[7];
}

// A file with one graph item whose expression is text.
std::string curveFile(const std::string& text) {
    document::Document doc;
    document::DEFINEFUN item;
    item.kind = document::KindCustomFunction;
    item.expression = text;
    item.labelRight = 90;
    item.labelBottom = 40;
    doc.addCurve(item);
    return codec::funFileBytes(doc);
}

std::vector<HostileCase> makeTable() {
    std::vector<HostileCase> t;
    const std::string notOurs = document::kNotOurFileMessage;

    // Files that never end, are huge, or hold more objects than a document can.
    for (const char* road : {"doc", "sheet"}) {
        t.push_back({std::string("FIFO without writer / ") + road,
                     [road](const std::string& dir) {
                         const std::string path = dir + "/pipe.Fun";
                         ::unlink(path.c_str());
                         (void)::mkfifo(path.c_str(), 0600);
                         std::vector<std::string> line{road, path};
                         if (std::string(road) == "sheet")
                             line.insert(line.end(), {"-o", dir + "/sheet.png"});
                         return line;
                     },
                     {1, Stream::Err, notOurs}});
    }
    t.push_back({"300 MiB file, refused before reading",
                 [](const std::string& dir) {
                     const std::string path = dir + "/huge.Fun";
                     writeFile(path, "");
                     (void)::truncate(path.c_str(), 300LL * 1024 * 1024); // sparse: no disk, no time
                     return command({"doc", path});
                 },
                 {1, Stream::Err, notOurs}});
    t.push_back({"1,500 annotations, cut at 999",
                 [](const std::string& dir) {
                     const std::string path = dir + "/notes.Fun";
                     writeFile(path, annotationsFile(1500));
                     return command({"doc", path});
                 },
                 {0, Stream::Err, document::kObjectsCutMessage}});
    t.push_back({"3,000,000 annotations (207 MB), cut at 999",
                 [](const std::string& dir) {
                     const std::string path = dir + "/many-notes.Fun";
                     writeFile(path, annotationsFile(3'000'000));
                     return command({"doc", path});
                 },
                 {0, Stream::Err, document::kObjectsCutMessage},
                 true});

    // Numbers the user typed.
    add(t, "1e400 is beyond the doubles / eval", command({"eval", "1e400"}), {1, Stream::Out, "undefined"});
    add(t, "1e400 is beyond the doubles / calc", command({"calc", "1e400"}),
        {1, Stream::Err, kCalculationFailed});
    add(t, "-1e400 / eval", command({"eval", "-1e400"}), {1, Stream::Out, "undefined"});
    add(t, "1e-5 keeps its sign / eval", command({"eval", "1e-5"}), {0, Stream::Out, "0.00001"});
    add(t, "1e-5 keeps its sign / form", command({"form", "2*1e-5"}), {0, Stream::Out, "muw(2,1e-5)"});
    add(t, "1E5 / eval", command({"eval", "1E5"}), {0, Stream::Out, "100000"});
    add(t, "2.5e3 / eval", command({"eval", "2.5e3"}), {0, Stream::Out, "2500"});

    // Encodings: invalid and overlong UTF-8 never becomes a character that means something.
    add(t, "overlong brackets / form", command({"form", "sin\xC0\xA8x\xC0\xA9"}),
        {0, Stream::Out, "sin\xEF\xBF\xBD\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD"});
    add(t, "overlong brackets / eval", command({"eval", "sin\xC0\xA8x\xC0\xA9"}), {0, Stream::Out, "0"});
    add(t, "overlong NUL / form",
        command({"form", "a\xC0\x80"
                         "b"}),
        {0, Stream::Out,
         "a\xEF\xBF\xBD\xEF\xBF\xBD"
         "b"});
    add(t, "lone continuation bytes / check", command({"check", "\x80\x80+1"}), {0, Stream::Out, "ok"});

    // Text widths stay within the clamp.
    add(t, "70,000 W at size 500 / textsize", command({"textsize", repeat("W", 70000), "--size", "500"}),
        {0, Stream::Out, "16777216\t", true});
    add(t, "60,000 W at size 500 / measure", command({"measure", repeat("W", 60000), "--size", "500"}),
        {0, Stream::Out, "0\t" + repeat("W", 60000) + "\t16777216\t", true});

    // Limits: one answer on every road.
    refusedEverywhere(t, "1,200 divisions without brackets", chain("x", "/", 1200), kOperationsTooDeep);
    refusedEverywhere(t, "1,002 added terms", chain("1", "+", 1002), kOperationsTooDeep);
    acceptedEverywhere(t, "1,001 added terms", chain("1", "+", 1001), "1001");
    refusedEverywhere(t, "1,200 added lak terms", chain("lak(1,x)", "+", 1200), kOperationsTooDeep);
    refusedEverywhere(t, "con with 1,000 conditions", conditions(1000), kOperationsTooDeep);
    refusedEverywhere(t, "con with 999 conditions", conditions(999), kOperationsTooDeep);
    acceptedEverywhere(t, "con with 998 conditions", conditions(998), "1");
    acceptedEverywhere(t, "lak with 1,000 lines", "lak(1000," + chain("1", ";", 1000) + ")", "1000");
    refusedEverywhere(t, "1,001 nested brackets", brackets(1001), kBracketsTooDeep);
    acceptedEverywhere(t, "1,000 nested brackets", brackets(1000), "1");
    refusedEverywhere(t, "110,000 nodes", manyNodes(11), kTooComplex);
    acceptedEverywhere(t, "30,000 nodes, a list of full matrices", fullMatrices(3), std::nullopt);
    {
        const AtLimit at = sumAtLimit();
        acceptedEverywhere(t, "64 KiB sum exactly at the limit", at.text, std::to_string(at.terms * 1000000));
        refusedEverywhere(t, "64 KiB + 1 byte", at.text + "0", kTooLong);
    }
    refusedEverywhere(t, "2 MiB of one name", std::string(32 * kLimitBytes, 'x'), kTooLong);

    // Curve expressions from files reach the engine through the resample hook: a refused one has no point.
    for (const auto& [name, text] :
         {std::pair{std::string("file curve of 1,200 divisions"), chain("x", "/", 1200)},
          std::pair{std::string("file curve of 110,000 nodes"), manyNodes(11)},
          std::pair{std::string("file curve of 1,001 nested brackets"), brackets(1001)}}) {
        t.push_back({name + " / sheet",
                     [text = text](const std::string& dir) {
                         const std::string path = dir + "/curve.Fun";
                         writeFile(path, curveFile(text));
                         return command({"sheet", path, "-o", dir + "/sheet.png"});
                     },
                     {0, Stream::Err, ""}});
    }
    return t;
}

} // namespace

const std::vector<HostileCase>& hostileCases() {
    static const std::vector<HostileCase> table = makeTable();
    return table;
}

CaseAnswer runCommand(const std::vector<std::string>& commandLine) {
    CaseAnswer answer;
    if (commandLine.empty()) return answer;
    std::vector<std::string> args;
    for (std::size_t i = 1; i < commandLine.size(); ++i)
        args.push_back(validUtf8(commandLine[i]));
    std::ostringstream out;
    std::ostringstream err;
    cli::CliIo io{out, err};
    for (const auto& c : cli::commandTable())
        if (c.name == commandLine[0]) answer.status = c.run(args, io);
    answer.out = out.str();
    answer.err = err.str();
    return answer;
}

std::string firstLine(const CaseAnswer& answer, Stream stream) {
    const std::string& text = stream == Stream::Out ? answer.out : answer.err;
    return text.substr(0, text.find('\n'));
}

bool matches(const CaseAnswer& answer, const Expected& expected) {
    if (answer.status != expected.status) return false;
    const std::string line = firstLine(answer, expected.stream);
    if (expected.prefixOnly) return line.rfind(expected.firstLine, 0) == 0;
    return line == expected.firstLine;
}

} // namespace quorvel::hostile

// quorvel-cli commands of the expression engine: form, expand, tree, check, eval, calc.
#include "base/MessageSink.h"
#include "base/NumberFormat.h"
#include "cli/CliCommand.h"
#include "expr/Calculation.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/NoiseBound.h"
#include "expr/Parser.h"
#include "expr/Validation.h"

#include <ostream>

namespace quorvel::cli {

namespace {

using namespace quorvel::expr;

// Messages of the engine go to a stream, one per line.
class StreamSink : public MessageSink {
public:
    explicit StreamSink(std::ostream& os) : os_(os) {}
    void show(const std::string& text, const std::string&, MessageIcon) override { os_ << text << "\n"; }
    Answer ask(const std::string& text, const std::string&) override {
        os_ << text << "\n";
        return Answer::Cancel;
    }

private:
    std::ostream& os_;
};

bool oneText(const std::vector<std::string>& args, const char* usage, CliIo& io) {
    if (args.size() == 1) return true;
    io.err << "usage: quorvel-cli " << usage << "\n";
    return false;
}

// NAME=VALUE arguments; false (with a message) for one that does not read.
bool readAssignments(const std::vector<std::string>& args, std::size_t from, VariableTable& table,
                     CliIo& io) {
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t eq = arg.find('=');
        const auto value =
            eq == std::string::npos ? std::nullopt : parseDecimal(std::string_view(arg).substr(eq + 1));
        if (eq == 0 || !value) {
            io.err << "not a NAME=VALUE assignment: " << arg << "\n";
            return false;
        }
        if (!table.assign(std::string_view(arg).substr(0, eq), *value)) {
            io.err << "too many variables: " << arg << "\n";
            return false;
        }
    }
    return true;
}

int form(const std::vector<std::string>& args, CliIo& io) {
    if (!oneText(args, "form TEXT", io)) return kExitUsage;
    std::string refusal;
    const std::string text = toFunctionForm(stripBlanks(args[0]), &refusal);
    if (!refusal.empty()) {
        io.err << refusal << "\n";
        return kExitRefused;
    }
    io.out << text << "\n";
    return kExitOk;
}

int expand(const std::vector<std::string>& args, CliIo& io) {
    if (!oneText(args, "expand TEXT", io)) return kExitUsage;
    StreamSink sink(io.err);
    Engine engine(sink);
    std::string refusal;
    const std::string text = expandPiecewise(engine, stripBlanks(args[0]), &refusal);
    if (!refusal.empty()) {
        io.err << refusal << "\n";
        return kExitRefused;
    }
    io.out << text << "\n" << engine.domainText << "\n";
    return kExitOk;
}

int tree(const std::vector<std::string>& args, CliIo& io) {
    if (!oneText(args, "tree TEXT", io)) return kExitUsage;
    std::string refusal;
    const std::string text = toFunctionForm(stripBlanks(args[0]), &refusal);
    ExprTree root;
    if (refusal.empty()) {
        root = buildTree(text, &refusal);
        linkParents(root.get());
    }
    if (!refusal.empty()) {
        io.err << refusal << "\n";
        return kExitRefused;
    }
    io.out << treeToText(root.get()) << "\n";
    return kExitOk;
}

int check(const std::vector<std::string>& args, CliIo& io) {
    if (!oneText(args, "check TEXT", io)) return kExitUsage;
    StreamSink sink(io.out);
    const bool ok = validate(sink, stripBlanks(args[0]), false);
    io.out << (ok ? "ok" : "fail") << "\n";
    return ok ? kExitOk : kExitRefused;
}

int eval(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    if (!parseOptions(args, {"--x"}, options, io)) return kExitUsage;
    if (options.positional.empty()) {
        io.err << "usage: quorvel-cli eval TEXT [--x V] [NAME=VALUE]...\n";
        return kExitUsage;
    }
    double x = 1;
    if (const std::string* given = options.flag("--x")) {
        const auto value = parseDecimal(*given);
        if (!value) {
            io.err << "not a number: " << *given << "\n";
            return kExitUsage;
        }
        x = *value;
    }
    StreamSink sink(io.err);
    Engine engine(sink);
    std::string refusal;
    const std::string text = expandPiecewise(engine, stripBlanks(options.positional[0]), &refusal);
    if (!engine.reportRefusal(refusal)) return kExitRefused;
    bool built = false;
    ExprNode* node = evaluatedNode(engine.rebuildCurrentTree(text, false, &built));
    if (!built) return kExitRefused;
    collectVariables(engine, node);
    if (!readAssignments(options.positional, 1, engine.variables, io)) return kExitUsage;
    if (!evaluate(engine, node, x)) {
        if (const auto why = undefinedMessage(engine.undefinedReason); !why.empty()) io.err << why << "\n";
        io.out << "undefined\n";
        return kExitRefused;
    }
    io.out << formatGeneral(shownValue(node)) << "\n";
    return kExitOk;
}

int calc(const std::vector<std::string>& args, CliIo& io) {
    if (args.empty()) {
        io.err << "usage: quorvel-cli calc TEXT [NAME=VALUE]...\n";
        return kExitUsage;
    }
    StreamSink sink(io.err);
    Engine engine(sink);
    const std::string input = stripBlanks(args[0]);
    // The variables the editor would collect from the expression, then the values given.
    std::string refusal;
    const std::string text = expandPiecewise(engine, toFunctionForm(input), &refusal, TextKind::FunctionForm);
    if (refusal.empty()) {
        ExprTree root = buildTree(text, &refusal);
        collectVariables(engine, root.get(), PlottingVariable::Collect);
    }
    if (!readAssignments(args, 1, engine.variables, io)) return kExitUsage;
    bool defined = false;
    io.out << calculationText(engine, input, false, &defined) << "\n";
    return defined ? kExitOk : kExitRefused;
}

const CommandRegistrar kForm("form", "form TEXT                      function form of TEXT", form);
const CommandRegistrar
    kExpand("expand", "expand TEXT                    expanded function form and domain text", expand);
const CommandRegistrar kTree("tree", "tree TEXT                      the tree of TEXT written back", tree);
const CommandRegistrar kCheck("check", "check TEXT                     the input checks with their messages",
                              check);
const CommandRegistrar kEval("eval", "eval TEXT [--x V] [NAME=VALUE]...  value on the plotting road", eval);
const CommandRegistrar kCalc("calc", "calc TEXT [NAME=VALUE]...      text of a calculation object", calc);

} // namespace

} // namespace quorvel::cli

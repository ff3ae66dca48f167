// quorvel-cli commands of the expression engine: form, expand, tree, check, eval, calc.
#include "base/MessageSink.h"
#include "base/NumberFormat.h"
#include "cli/CliCommand.h"
#include "expr/Calculation.h"
#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/NoiseBound.h"
#include "expr/Parser.h"
#include "expr/Validation.h"

#include <optional>
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

// NAME=VALUE arguments into the variable table; false (with a message) for one that does not read.
bool assignVariables(const std::vector<std::string>& args, std::size_t from, VariableTable& table,
                     CliIo& io) {
    std::vector<Assignment> assignments;
    if (!readAssignments(args, from, assignments, io)) return false;
    for (std::size_t k = 0; k < assignments.size(); ++k) {
        if (!table.assign(assignments[k].name, assignments[k].value)) {
            io.err << "too many variables: " << args[from + k] << "\n";
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
    Options options;
    const auto reading = readText(args, options, {}, "check TEXT [--literal]", io);
    if (!reading || options.positional.size() != 1) return kExitUsage;
    if (*reading == Reading::Literal) {
        StreamSink sink(io.out);
        const bool ok = validate(sink, stripBlanks(options.positional[0]), false);
        io.out << (ok ? "ok" : "fail") << "\n";
        return ok ? kExitOk : kExitRefused;
    }
    const Conversion conversion = convertText(options.positional[0], Road::Picture);
    if (conversion.failure) printFailure(*conversion.failure, io.out);
    io.out << (conversion.ok() ? "ok" : "fail") << "\n";
    return conversion.ok() ? kExitOk : kExitRefused;
}

int eval(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    const auto reading =
        readText(args, options, {"--x"}, "eval TEXT [--x V] [NAME=VALUE]... [--literal]", io);
    if (!reading) return kExitUsage;
    double x = 1;
    if (const std::string* given = options.flag("--x")) {
        const auto value = parseDecimal(*given);
        if (!value) {
            io.err << "not a number: " << *given << "\n";
            return kExitUsage;
        }
        x = *value;
    }
    // The checks of every value road first: an unknown function or an empty operand has no value.
    const Conversion conversion = convertText(options.positional[0], Road::Value, *reading);
    if (conversion.failure) {
        printFailure(*conversion.failure, io.err);
        return kExitRefused;
    }
    StreamSink sink(io.err);
    Engine engine(sink);
    std::string refusal;
    const std::string text =
        expandPiecewise(engine, conversion.functionForm, &refusal, TextKind::FunctionForm);
    if (!engine.reportRefusal(refusal)) return kExitRefused;
    bool built = false;
    ExprNode* node = evaluatedNode(engine.rebuildCurrentTree(text, false, &built));
    if (!built) return kExitRefused;
    collectVariables(engine, node);
    if (!assignVariables(options.positional, 1, engine.variables, io)) return kExitUsage;
    if (!evaluate(engine, node, x)) {
        if (const auto why = undefinedMessage(engine.undefinedReason); !why.empty()) io.err << why << "\n";
        io.out << "undefined\n";
        return kExitRefused;
    }
    io.out << formatGeneral(shownValue(node)) << "\n";
    return kExitOk;
}

int calc(const std::vector<std::string>& args, CliIo& io) {
    Options options;
    const auto reading = readText(args, options, {}, "calc TEXT [NAME=VALUE]... [--literal]", io);
    if (!reading) return kExitUsage;
    const Conversion conversion = convertText(options.positional[0], Road::Value, *reading);
    if (conversion.failure) {
        printFailure(*conversion.failure, io.err);
        io.out << stripBlanks(options.positional[0]) << "=" << kCalculationError << "\n";
        return kExitRefused;
    }
    StreamSink sink(io.err);
    Engine engine(sink);
    const std::string& input = conversion.canonical;
    // The variables the editor would collect from the expression, then the values given.
    std::string refusal;
    const std::string text =
        expandPiecewise(engine, conversion.functionForm, &refusal, TextKind::FunctionForm);
    if (refusal.empty()) {
        ExprTree root = buildTree(text, &refusal);
        collectVariables(engine, root.get(), PlottingVariable::Collect);
    }
    if (!assignVariables(options.positional, 1, engine.variables, io)) return kExitUsage;
    bool defined = false;
    io.out << calculationText(engine, input, false, &defined) << "\n";
    return defined ? kExitOk : kExitRefused;
}

const CommandRegistrar kForm("form", "form TEXT [--literal]          function form of TEXT", form,
                             TextArgument::Typed);
const CommandRegistrar kExpand("expand",
                               "expand TEXT [--literal]        expanded function form and domain text",
                               expand, TextArgument::Typed);
const CommandRegistrar kTree("tree", "tree TEXT [--literal]          the tree of TEXT written back", tree,
                             TextArgument::Typed);
const CommandRegistrar kCheck("check", "check TEXT [--literal]         the input checks with their messages",
                              check);
const CommandRegistrar
    kEval("eval", "eval TEXT [--x V] [NAME=VALUE]... [--literal]  value on the plotting road", eval);
const CommandRegistrar kCalc("calc", "calc TEXT [NAME=VALUE]... [--literal]  text of a calculation object",
                             calc);

} // namespace

} // namespace quorvel::cli

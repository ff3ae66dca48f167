// quorvel-cli latex and mathml: a formula written as LaTeX or as presentation MathML.
#include "cli/CliCommand.h"
#include "typeset/LatexWriter.h"
#include "typeset/MathmlWriter.h"

#include <ostream>

namespace quorvel::cli {

namespace {

using Writer = typeset::WrittenFormula (*)(std::string_view);

// What the editor would refuse has no written form: the check's messages, exit 1.
int writeFormula(const std::vector<std::string>& args, CliIo& io, const char* usage, Writer writer) {
    if (args.size() != 1) {
        io.err << "usage: quorvel-cli " << usage << "\n";
        return kExitUsage;
    }
    const typeset::WrittenFormula written = writer(args[0]);
    if (!written.ok()) {
        for (const std::string& message : written.refusal)
            io.err << message << "\n";
        return kExitRefused;
    }
    io.out << written.text << "\n";
    return kExitOk;
}

int latex(const std::vector<std::string>& args, CliIo& io) {
    return writeFormula(args, io, "latex TEXT", typeset::markupToLatex);
}

int mathml(const std::vector<std::string>& args, CliIo& io) {
    return writeFormula(args, io, "mathml TEXT", typeset::markupToMathml);
}

const CommandRegistrar latexCommand("latex", "latex TEXT [--literal]         the formula as LaTeX", latex,
                                    TextArgument::Typed);
const CommandRegistrar mathmlCommand("mathml", "mathml TEXT [--literal]        the formula as MathML", mathml,
                                     TextArgument::Typed);

} // namespace

} // namespace quorvel::cli

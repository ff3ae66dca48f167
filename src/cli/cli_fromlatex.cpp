// quorvel-cli fromlatex: LaTeX math (as pasted into the formula editor) read into markup.
#include "cli/CliCommand.h"
#include "expr/LatexReader.h"

#include <ostream>

namespace quorvel::cli {

namespace {

int fromLatex(const std::vector<std::string>& args, CliIo& io) {
    if (args.size() != 1) {
        io.err << "usage: quorvel-cli fromlatex TEXT\n";
        return kExitUsage;
    }
    const expr::LatexReading reading = expr::readLatex(args[0]);
    if (!reading.ok()) {
        io.err << reading.message << "\n";
        return kExitRefused;
    }
    io.out << reading.markup << "\n";
    return kExitOk;
}

const CommandRegistrar kFromLatex("fromlatex", "fromlatex TEXT                 LaTeX math read into markup",
                                  fromLatex);

} // namespace

} // namespace quorvel::cli

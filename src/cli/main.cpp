// quorvel-cli: the headless companion of the desktop program (scripting, batch export, tests).
#include "base/Utf8Text.h"
#include "cli/CliCommand.h"

#include <algorithm>
#include <iostream>

namespace {

int usage(std::ostream& os) {
    os << "usage: quorvel-cli COMMAND ARGS... | --help | --version\n";
    auto table = quorvel::cli::commandTable();
    std::sort(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& c : table)
        os << "  " << c.usage << "\n";
    return quorvel::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage(std::cerr);
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        usage(std::cout);
        return quorvel::cli::kExitOk;
    }
    if (name == "--version") {
        std::cout << "quorvel-cli " QUORVEL_VERSION "\n";
        return quorvel::cli::kExitOk;
    }
    std::vector<std::string> args;
    for (int i = 2; i < argc; ++i)
        args.push_back(quorvel::validUtf8(argv[i]));
    quorvel::cli::CliIo io{std::cout, std::cerr};
    for (const auto& c : quorvel::cli::commandTable()) {
        if (c.name != name) continue;
        if (c.text == quorvel::cli::TextArgument::Typed && !quorvel::cli::rewriteTextArgument(args, io))
            return quorvel::cli::kExitRefused;
        return c.run(args, io);
    }
    std::cerr << "unknown command: " << name << "\n";
    return usage(std::cerr);
}

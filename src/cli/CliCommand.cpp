#include "cli/CliCommand.h"

#include "base/NumberFormat.h"
#include "expr/TypedNotation.h"

#include <algorithm>
#include <ostream>

namespace quorvel::cli {

std::vector<CommandInfo>& commandTable() {
    static std::vector<CommandInfo> table;
    return table;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string usage, CommandFn run, TextArgument text) {
    commandTable().push_back({std::move(name), std::move(usage), std::move(run), text});
}

bool rewriteTextArgument(std::vector<std::string>& args, CliIo& io) {
    const auto literal = std::remove(args.begin(), args.end(), std::string("--literal"));
    if (literal != args.end()) {
        args.erase(literal, args.end());
        return true;
    }
    static const std::vector<std::string> kValueFlags{"-o", "--font", "--size", "--x"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::find(kValueFlags.begin(), kValueFlags.end(), args[i]) != kValueFlags.end()) {
            ++i;
            continue;
        }
        if (args[i] == "--italic") continue;
        expr::TypedRewrite rewrite = expr::rewriteTypedNotation(args[i]);
        if (rewrite.failure) {
            io.err << rewrite.failure->message << "\n";
            return false;
        }
        args[i] = std::move(rewrite.markup);
        return true;
    }
    return true;
}

const std::string* Options::flag(const std::string& name) const {
    for (auto it = flags.rbegin(); it != flags.rend(); ++it)
        if (it->first == name) return &it->second;
    return nullptr;
}

bool Options::takeSwitch(const std::string& name) {
    const auto given = std::remove(positional.begin(), positional.end(), name);
    const bool found = given != positional.end();
    positional.erase(given, positional.end());
    return found;
}

bool parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueFlags,
                  Options& out, CliIo& io) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::find(valueFlags.begin(), valueFlags.end(), a) != valueFlags.end()) {
            if (i + 1 >= args.size()) {
                io.err << "missing value for " << a << "\n";
                return false;
            }
            out.flags.emplace_back(a, args[++i]);
        } else {
            out.positional.push_back(a);
        }
    }
    return true;
}

std::optional<expr::Reading> readText(const std::vector<std::string>& args, Options& options,
                                      const std::vector<std::string>& valueFlags, const char* usage,
                                      CliIo& io) {
    if (!parseOptions(args, valueFlags, options, io)) return std::nullopt;
    const expr::Reading reading =
        options.takeSwitch("--literal") ? expr::Reading::Literal : expr::Reading::Typed;
    if (!options.positional.empty()) return reading;
    io.err << "usage: quorvel-cli " << usage << "\n";
    return std::nullopt;
}

void printFailure(const expr::CheckFailure& failure, std::ostream& os) {
    if (!failure.precedingMessage.empty()) os << failure.precedingMessage << "\n";
    os << failure.message << "\n";
}

bool readAssignments(const std::vector<std::string>& args, std::size_t from, std::vector<Assignment>& out,
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
        out.push_back({arg.substr(0, eq), *value});
    }
    return true;
}

} // namespace quorvel::cli

#pragma once

#include "expr/CheckFailure.h"
#include "expr/Conversion.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cli {

// Exit codes of quorvel-cli.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1; // validation failed, value undefined, file unreadable
constexpr int kExitUsage = 2;

struct CliIo {
    std::ostream& out;
    std::ostream& err;
};

using CommandFn = std::function<int(const std::vector<std::string>& args, CliIo& io)>;

// How a command reads its TEXT argument: school notation rewritten into markup before the command
// runs (unless --literal is given), or as the command itself decides.
enum class TextArgument { Own, Typed };

struct CommandInfo {
    std::string name;
    std::string usage; // one line, shown by the usage message
    CommandFn run;
    TextArgument text = TextArgument::Own;
};

// Each command file registers its commands with a static CommandRegistrar.
std::vector<CommandInfo>& commandTable();

struct CommandRegistrar {
    CommandRegistrar(std::string name, std::string usage, CommandFn run,
                     TextArgument text = TextArgument::Own);
};

// Replaces the TEXT argument (the first one that is no option or option value) by its markup unless
// --literal is among the arguments, which is removed. False, with the message on io.err, when the
// typed text cannot be read.
[[nodiscard]] bool rewriteTextArgument(std::vector<std::string>& args, CliIo& io);

// Splits "--flag value" options out of args. Returns false (with a message on io.err) for a flag
// without a value.
struct Options {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> flags; // in order given
    const std::string* flag(const std::string& name) const;
    // Takes a flag without value ("--italic") out of the positional arguments; true when it was given.
    bool takeSwitch(const std::string& name);
};
bool parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueFlags,
                  Options& out, CliIo& io);

// Options, then TEXT and --literal: how TEXT is to be read, or nothing (with the usage on io.err) when
// TEXT is missing or an option lacks its value.
std::optional<expr::Reading> readText(const std::vector<std::string>& args, Options& options,
                                      const std::vector<std::string>& valueFlags, const char* usage,
                                      CliIo& io);

// The refusal of a conversion, its preceding message first, one per line.
void printFailure(const expr::CheckFailure& failure, std::ostream& os);

// NAME=VALUE arguments, args[from] on. False, with the message on io.err, for one that does not read.
struct Assignment {
    std::string name;
    double value;
};
bool readAssignments(const std::vector<std::string>& args, std::size_t from, std::vector<Assignment>& out,
                     CliIo& io);

} // namespace quorvel::cli

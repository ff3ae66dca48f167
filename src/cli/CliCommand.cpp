#include "cli/CliCommand.h"

#include <algorithm>
#include <ostream>

namespace quorvel::cli {

std::vector<CommandInfo>& commandTable() {
    static std::vector<CommandInfo> table;
    return table;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string usage, CommandFn run) {
    commandTable().push_back({std::move(name), std::move(usage), std::move(run)});
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

} // namespace quorvel::cli

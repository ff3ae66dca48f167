#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvel::hostile {

// Where an answer is looked for.
enum class Stream { Out, Err };

// What a case must answer: the exit status of the command and the start of the first line of one of
// its streams (the whole line when it is a message or a value; an empty prefix only checks the status).
struct Expected {
    int status = 0;
    Stream stream = Stream::Out;
    std::string firstLine;
    bool prefixOnly = false;
};

// One hostile input: a quorvel-cli command line, made when the case runs (file cases write their files
// into dir first), and its answer. Heavy cases (hundreds of megabytes on disk) run only in the benchmark.
struct HostileCase {
    std::string name;
    std::function<std::vector<std::string>(const std::string& dir)> commandLine;
    Expected expected;
    bool benchmarkOnly = false;
};

// The table, in the order of the faults it guards against.
const std::vector<HostileCase>& hostileCases();

struct CaseAnswer {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a command line through the command table of quorvel-cli in this process, with its arguments made
// valid UTF-8 as the tool's entry does.
CaseAnswer runCommand(const std::vector<std::string>& commandLine);

// The first line of the expected stream, and whether the answer matches.
std::string firstLine(const CaseAnswer& answer, Stream stream);
bool matches(const CaseAnswer& answer, const Expected& expected);

} // namespace quorvel::hostile

#pragma once
// Runs quorvel-cli as a user would: its output, its messages and its exit status.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace clitest {

struct CliRun {
    std::string out;
    std::string err;
    int status = -1;
};

inline std::string quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline CliRun cli(const std::vector<std::string>& args) {
    // One file per process: CTest runs the cases of this suite in parallel processes.
    const std::string errFile = ::testing::TempDir() + "quorvel_cli_err_" + std::to_string(getpid()) + ".txt";
    std::string command = QUORVEL_CLI;
    for (const auto& a : args)
        command += " " + quoted(a);
    command += " 2>" + quoted(errFile);
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        run.out.append(buf.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    std::stringstream ss;
    ss << err.rdbuf();
    run.err = ss.str();
    return run;
}

} // namespace clitest

// bench_hostile: walks the hostile-input table (tests/hostile) and reports, for each case, the time its
// command takes and how far its peak memory grows beyond the process it starts in. Each run happens in a
// child process of its own, so that one case's memory neither helps nor hurts the next. The goal is every
// case under 100 ms and under 64 MB.
//
//   bench_hostile [--runs N] [NAME-PART]
#include "HostileCases.h"
#include "typeset/qt/HeadlessGui.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace quorvel::hostile;

constexpr double kGoalMs = 100;
constexpr double kGoalMb = 64;

// A field of /proc/self/status in kB.
long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::size_t n = std::strlen(field);
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, n, field) == 0) return std::strtol(line.c_str() + n + 1, nullptr, 10);
    return -1;
}

struct Measured {
    double ms = 0;
    double growthMb = 0;
    long faults = 0; // minor page faults: on a virtual machine each costs tens of microseconds
    bool matched = false;
    bool crashed = false;
};

// Prepares and runs one case in a child; the child's preparation (writing files) is not measured: the
// peak is reset once the command line is made.
Measured measure(const HostileCase& c, const std::filesystem::path& dir) {
    int fds[2];
    if (pipe(fds) != 0) return {0, 0, false, true};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const std::vector<std::string> line = c.commandLine(dir.string());
        // The program's base: its GUI object exists before any command runs.
        const auto gui = quorvel::typeset::startHeadlessGui();
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from what is resident now
        const long base = statusKb("VmRSS:");
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        const CaseAnswer answer = runCommand(line);
        const auto end = std::chrono::steady_clock::now();
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        Measured m;
        m.faults = after.ru_minflt - before.ru_minflt;
        m.ms = std::chrono::duration<double, std::milli>(end - start).count();
        m.growthMb = std::max(0L, statusKb("VmHWM:") - base) / 1024.0;
        m.matched = matches(answer, c.expected);
        if (write(fds[1], &m, sizeof m) != static_cast<ssize_t>(sizeof m)) _exit(3);
        std::filesystem::remove_all(dir);
        _exit(0);
    }
    close(fds[1]);
    Measured m;
    const bool got = pid > 0 && read(fds[0], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
    close(fds[0]);
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    if (!got) m.crashed = true;
    return m;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 3;
    std::string filter;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            filter = argv[i];
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto& table = hostileCases();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("bench_hostile_" + std::to_string(getpid()));
    std::printf("%-58s %9s %8s %9s  %s\n", "case", "ms", "MB", "faults", "answer");
    int over = 0;
    int wrong = 0;
    for (const HostileCase& c : table) {
        if (!filter.empty() && c.name.find(filter) == std::string::npos) continue;
        // The median time and the largest growth of the runs; a heavy case runs once.
        std::vector<double> times;
        double growth = 0;
        long faults = 0;
        bool matched = true;
        bool crashed = false;
        for (int r = 0; r < (c.benchmarkOnly ? 1 : runs); ++r) {
            const Measured m = measure(c, dir);
            times.push_back(m.ms);
            growth = std::max(growth, m.growthMb);
            faults = std::max(faults, m.faults);
            matched = matched && m.matched;
            crashed = crashed || m.crashed;
        }
        std::sort(times.begin(), times.end());
        const double ms = times[times.size() / 2];
        const bool withinGoal = !crashed && ms < kGoalMs && growth < kGoalMb;
        over += withinGoal ? 0 : 1;
        wrong += matched ? 0 : 1;
        std::printf("%-58.58s %9.1f %8.1f %9ld  %s%s\n", c.name.c_str(), ms, growth, faults,
                    crashed   ? "crashed"
                    : matched ? "as expected"
                              : "WRONG",
                    withinGoal ? "" : "  (beyond the goal)");
    }
    std::filesystem::remove_all(dir);
    std::printf("%d case(s) beyond %.0f ms or %.0f MB, %d wrong answer(s)\n", over, kGoalMs, kGoalMb, wrong);
    return wrong == 0 ? 0 : 1;
}

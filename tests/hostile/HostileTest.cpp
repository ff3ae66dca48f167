// Walks the hostile-input table: every case must give its answer (the time and memory each takes are
// measured by bench_hostile, not here).
#include "HostileCases.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::hostile {
namespace {

class Hostile : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Hostile, GivesItsAnswer) {
    const HostileCase& c = hostileCases()[GetParam()];
    if (c.benchmarkOnly) GTEST_SKIP() << "heavy case, run by bench_hostile";
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / ("hostile_" + std::to_string(GetParam()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const CaseAnswer answer = runCommand(c.commandLine(dir.string()));
    std::filesystem::remove_all(dir);
    const std::string line = firstLine(answer, c.expected.stream);
    EXPECT_TRUE(matches(answer, c.expected))
        << c.name << "\n  status " << answer.status << " (expected " << c.expected.status << ")\n  got      "
        << line.substr(0, 200) << "\n  expected " << c.expected.firstLine.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Table, Hostile, ::testing::Range<std::size_t>(0, hostileCases().size()));

} // namespace
} // namespace quorvel::hostile

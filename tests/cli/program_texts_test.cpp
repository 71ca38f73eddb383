// The three programs as a packager's tools read them: --version and --help print plain text on
// stdout and exit 0, with nothing else started (no display, no controller).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_process.h"
#include "core/app/version.h"

namespace zvc {
namespace {

TEST(ProgramTexts, VersionAndHelpOfEveryProgram) {
  const std::string version = kProgramVersion;
  const struct {
    const char* program;
    std::vector<std::string> arguments;
    std::string starts;
  } cases[] = {
      {ZVC_CLI_PATH, {"--version"}, "zvc-cli " + version + "\n"},
      {ZVC_SIM_PATH, {"--version"}, "zvc-sim " + version + "\n"},
      {ZVC_GUI_PATH, {"--version"}, "zvc " + version + "\n"},
      {ZVC_CLI_PATH, {"--help"}, "Usage: zvc-cli [OPTIONS] COMMAND"},
      {ZVC_CLI_PATH, {"hour", "--help"}, "Usage: zvc-cli hour --run 1|2"},
      {ZVC_SIM_PATH, {"--help"}, "zvc-sim: a simulated"},
      {ZVC_GUI_PATH, {"--help"}, "Usage: zvc [options]"},
  };
  for (const auto& c : cases) {
    const test::CliRun run = test::runProgram(c.program, c.arguments);
    EXPECT_EQ(run.status, 0) << c.program << " " << c.arguments.front() << "\n" << run.err;
    EXPECT_TRUE(run.out.starts_with(c.starts)) << run.out;
    EXPECT_EQ(run.err, "") << c.program;
  }
}

}  // namespace
}  // namespace zvc

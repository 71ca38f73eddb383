#pragma once

// zvc-cli run as a process in a test's own working folder (no settings files: the defaults),
// against a zvc-sim over a pseudo-terminal or TCP.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_process.h"
#include "integration/sim_process.h"
#include "support/temp_folder.h"

namespace zvc::test {

// The lines of a text, each without its line end.
inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    result.push_back(text.substr(start, end - start));
  }
  return result;
}

// The arguments preceded by the demo controller's user code and password.
inline std::vector<std::string> withCredentials(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"--user", "1", "--password", "1"});
  return arguments;
}

class CliAgainstSim : public ::testing::Test {
 protected:
  // zvc-cli in this test's working folder (no settings files: the defaults).
  CliRun run(std::vector<std::string> arguments, const std::string& input = {}) {
    arguments.insert(arguments.begin(), {"--workdir", folder_.path().string()});
    return runCli(arguments, std::chrono::seconds(60), input);
  }
  CliRun overPty(const SimProcess& sim, std::vector<std::string> arguments,
                 const std::string& input = {}) {
    arguments.insert(arguments.begin(), {"--serial", sim.ptyPath()});
    return run(arguments, input);
  }
  CliRun overTcp(const SimProcess& sim, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--tcp", "127.0.0.1:" + std::to_string(sim.tcpPort())});
    return run(arguments);
  }
  std::string file(const char* name) const { return folder_.file(name).string(); }

  test::TempFolder folder_;
};

}  // namespace zvc::test

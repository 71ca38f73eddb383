// Writes with the password kept off the command line: the first line of stdin
// (--password-stdin) or the environment variable ZVC_PASSWORD, against zvc-sim, which takes
// writes only with user "1" and password "1".

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_sim_fixture.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;

// ZVC_PASSWORD for the programs this test starts, while it lives.
class PasswordVariable {
 public:
  explicit PasswordVariable(const char* value) {
    if (value != nullptr) setenv("ZVC_PASSWORD", value, 1);
  }
  ~PasswordVariable() { unsetenv("ZVC_PASSWORD"); }
  PasswordVariable(const PasswordVariable&) = delete;
  PasswordVariable& operator=(const PasswordVariable&) = delete;
};

TEST_F(CliAgainstSim, ClockIsSetWithThePasswordFromStdinOrTheEnvironment) {
  const struct {
    std::vector<std::string> credentials;
    const char* input;
    const char* environment;
    bool written;
  } cases[] = {
      {{"--user", "1", "--password-stdin"}, "1\n", "wrong", true},
      {{"--user", "1"}, "", "1", true},
      {{"--user", "1", "--password", "1"}, "", "wrong", true},
      // The refusal shows that the variable's password is the one sent.
      {{"--user", "1"}, "", "wrong", false},
  };
  for (const auto& c : cases) {
    SimProcess sim({"--pty", "--time", "2021-03-28 01:59:40"});
    const PasswordVariable password(c.environment);
    std::vector<std::string> arguments = c.credentials;
    arguments.insert(arguments.end(), {"clock", "--set", "--yes"});
    const CliRun set = overPty(sim, arguments, c.input);
    EXPECT_EQ(set.status == 0, c.written) << c.input << c.environment << "\n" << set.err;
    const std::vector<std::string> rows = lines(overPty(sim, {"clock"}).out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].starts_with("Дата\t28.03.21"), !c.written) << rows[1];
  }
}

TEST_F(CliAgainstSim, UsersChangeReadsTheCredentialsLineBeforeTheSecrets) {
  SimProcess sim({"--pty"});
  const CliRun changed = overPty(sim,
                                 {"--user", "1", "--password-stdin", "users", "--change", "4",
                                  "--level", "4", "--name", "OPR"},
                                 "1\nsecret\n4242\n");
  ASSERT_EQ(changed.status, 0) << changed.err;
  const PasswordVariable password("1");
  const CliRun users = overPty(sim, {"--user", "1", "users"});
  ASSERT_EQ(lines(users.out).size(), 16u) << users.err;
  EXPECT_EQ(lines(users.out)[3], "4\tOPR\tОператор");
}

TEST_F(CliAgainstSim, AnEmptyStdinIsNoPassword) {
  const CliRun refused = run({"--serial", "/nonexistent/tty", "--user", "1", "--password-stdin",
                              "clock", "--set", "--yes"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("zvc-cli: --password-stdin: no password on stdin"), std::string::npos)
      << refused.err;
}

}  // namespace
}  // namespace zvc

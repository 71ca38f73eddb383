// zvc-cli users, state, momentary and watch against zvc-sim.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_sim_fixture.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;
using test::withCredentials;

TEST_F(CliAgainstSim, UsersListShowsNamesAndLevelsButNoSecrets) {
  SimProcess sim({"--pty"});
  const CliRun users = overPty(sim, withCredentials({"users"}));
  ASSERT_EQ(users.status, 0) << users.err;
  const auto rows = lines(users.out);
  ASSERT_EQ(rows.size(), 16u);
  EXPECT_EQ(rows[0], "1\tNAL\tПроизводитель-наладчик");
  EXPECT_EQ(rows[15], "16\t\tНет доступа");
}

TEST_F(CliAgainstSim, UsersChangeTakesTheSecretsFromStdinAndWritesOneSlot) {
  SimProcess sim({"--pty"});
  const CliRun changed = overPty(
      sim, withCredentials({"users", "--change", "4", "--level", "4", "--name", "OPR"}),
      "secret\n4242\n");
  ASSERT_EQ(changed.status, 0) << changed.err;
  EXPECT_EQ(changed.out.find("secret"), std::string::npos);
  EXPECT_EQ(changed.err.find("4242"), std::string::npos);
  const CliRun users = overPty(sim, withCredentials({"users"}));
  ASSERT_EQ(lines(users.out).size(), 16u) << users.err;
  EXPECT_EQ(lines(users.out)[3], "4\tOPR\tОператор");

  const CliRun noCode = overPty(
      sim, withCredentials({"users", "--change", "5", "--level", "3", "--name", "ENG"}), "pw\n");
  EXPECT_EQ(noCode.status, 2);
  EXPECT_NE(noCode.err.find("Не задан код идентификации пользователя"), std::string::npos)
      << noCode.err;
}

TEST_F(CliAgainstSim, UsersChangeRefusedWhenTheTableIsDestroyed) {
  SimProcess sim({"--pty", "--fault", "destroyed 4"});
  const CliRun changed =
      overPty(sim, withCredentials({"users", "--change", "4", "--level", "0"}));
  EXPECT_EQ(changed.status, 1);
  EXPECT_NE(changed.err.find("kind 4: Таблица доступа пользователей / требует полной перезаписи"),
            std::string::npos)
      << changed.err;
}

TEST_F(CliAgainstSim, StateAndMomentaryPrintOnePoll) {
  SimProcess sim({"--pty"});
  const CliRun state = overPty(sim, withCredentials({"state"}));
  ASSERT_EQ(state.status, 0) << state.err;
  EXPECT_NE(state.out.find("Наличие связи с хроматографом\tНорма\n"), std::string::npos) << state.out;

  const CliRun run2 = overPty(sim, withCredentials({"momentary", "--run", "2"}));
  ASSERT_EQ(run2.status, 0) << run2.err;
  const auto rows = lines(run2.out);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_TRUE(rows[0].starts_with("Время последнего опроса хроматографа\t")) << rows[0];
  EXPECT_NE(rows[1].find("\t Норма"), std::string::npos) << rows[1];

  const CliRun moisture = overPty(sim, withCredentials({"momentary", "--moisture"}));
  ASSERT_EQ(moisture.status, 0) << moisture.err;
  EXPECT_EQ(lines(moisture.out).size(), 6u) << moisture.out;
}

TEST_F(CliAgainstSim, WatchPrintsOneLinePerPoll) {
  SimProcess sim({"--pty"});
  const CliRun watched =
      overPty(sim, withCredentials({"watch", "--state", "--count", "3", "--interval", "1"}));
  ASSERT_EQ(watched.status, 0) << watched.err;
  const auto rows = lines(watched.out);
  ASSERT_EQ(rows.size(), 3u) << watched.out;
  for (const std::string& row : rows) EXPECT_NE(row.find("\tНорма"), std::string::npos) << row;
}

}  // namespace
}  // namespace zvc

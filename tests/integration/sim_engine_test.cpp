// The exchange engine against a running zvc-sim, over its pseudo-terminal and over TCP.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/link/kpsbox.h"
#include "sim_process.h"

namespace zvc {
namespace {

using test::SimProcess;

constexpr std::uint8_t kSimCom = 40;

void useSimulatorPty(kpsbox& engine, const SimProcess& sim) {
  engine.linkType = kpsbox::kDirectLine;
  engine.comPort = kSimCom;
  engine.comPortOverrides[kSimCom] = sim.ptyPath();
  engine.baudRate = 9600;
}

// The default user of the simulator: code "1", password "1".
void logIn(kpsbox& engine) {
  engine.writePassword.fill(' ');
  engine.writePassword[0] = '1';
  engine.userCode.fill(' ');
  engine.userCode[0] = '1';
}

bool readTable(kpsbox& engine, std::uint8_t table, std::uint8_t first, std::uint8_t count) {
  const std::uint8_t range[3] = {table, first, count};
  return engine.Command(kpsbox::kReadTable, range, 3, 0);
}

std::vector<std::string> linesOf(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

class SimEngineTest : public ::testing::Test {
 protected:
  // One log per test process: ctest runs tests of this suite side by side.
  std::string logPath =
      ::testing::TempDir() + "zvc_sim_requests_" + std::to_string(getpid()) + ".log";
};

TEST_F(SimEngineTest, ReadsTheIdentificationOverThePtyAndOverTcp) {
  SimProcess sim({"--pty", "--tcp", "0", "--log", logPath});

  kpsbox overPty{1};
  useSimulatorPty(overPty, sim);
  ASSERT_TRUE(readTable(overPty, 0, 0, 18)) << overPty.ErrorText();
  ASSERT_TRUE(readTable(overPty, 0, 0, 18)) << "a second exchange on the reopened pty";
  EXPECT_EQ(overPty.response[4 + 4 + 1], 73);
  EXPECT_EQ(overPty.response[4 + 4 + 3], 15);

  kpsbox overTcp{1};
  overTcp.linkType = kpsbox::kTcp;
  overTcp.tcpSocket = sim.connectTcp();
  ASSERT_GE(overTcp.tcpSocket, 0);
  ASSERT_TRUE(readTable(overTcp, 14, 6, 1)) << overTcp.ErrorText();
  EXPECT_EQ(overTcp.response[4 + 4], 7);  // chromatograph "QRT Vela"
  close(overTcp.tcpSocket);

  EXPECT_EQ(linesOf(logPath),
            (std::vector<std::string>{"F=1 00 00 00 12", "F=1 00 00 00 12", "F=1 00 0E 06 01"}));
}

TEST_F(SimEngineTest, NewAddressWrittenToTable3AnswersAndIsUsedAfterwards) {
  SimProcess sim({"--pty"});
  kpsbox engine{1};
  useSimulatorPty(engine, sim);
  const std::uint8_t newAddress[] = {3, 0, 1, 7};

  EXPECT_FALSE(engine.Command(kpsbox::kWriteTable, newAddress, 4, 0));
  EXPECT_STREQ(engine.ErrorText().data(),
               "Команда 2.  Пользователь не зарегистрирован или неправильный пароль");

  logIn(engine);
  ASSERT_TRUE(engine.Command(kpsbox::kWriteTable, newAddress, 4, 0)) << engine.ErrorText();
  EXPECT_EQ(engine.response[1], 7);
  engine.address = 7;  // as the program does after writing table 3
  ASSERT_TRUE(readTable(engine, 3, 0, 4)) << engine.ErrorText();
  EXPECT_EQ(engine.response[4 + 4], 7);
}

TEST_F(SimEngineTest, AnyAddressAdoptsTheFirstControllerOfTheLine) {
  SimProcess sim({"--pty", "--address", "5", "--address", "9"});
  kpsbox engine{kpsbox::kAnyAddress};
  useSimulatorPty(engine, sim);
  ASSERT_TRUE(readTable(engine, 0, 0, 18)) << engine.ErrorText();
  EXPECT_EQ(engine.address, 5);
  engine.address = 9;
  ASSERT_TRUE(readTable(engine, 41, 0, 1)) << engine.ErrorText();
  EXPECT_EQ(engine.response[1], 9);
}

TEST_F(SimEngineTest, DestroyedTableRefusalShowsInTheErrorLine) {
  SimProcess sim({"--pty", "--fault", "* error 60 7"});
  kpsbox engine{1};
  useSimulatorPty(engine, sim);
  EXPECT_FALSE(readTable(engine, 0, 0, 18));
  EXPECT_EQ(engine.resultCode, kpsbox::kControllerError);
  EXPECT_STREQ(engine.ErrorText().data(), "Команда 1.  Разрушена таблица 7");
}

TEST_F(SimEngineTest, SilentControllerGivesNoAnswerAfterEveryTry) {
  SimProcess sim({"--pty", "--fault", "* silent", "--log", logPath});
  kpsbox engine{1};
  useSimulatorPty(engine, sim);
  engine.responseTimeoutMs = 300;
  engine.tries = 2;
  EXPECT_FALSE(readTable(engine, 0, 0, 18));
  EXPECT_EQ(engine.resultCode, kpsbox::kNoAnswer);
  EXPECT_EQ(linesOf(logPath).size(), 2u);
}

TEST_F(SimEngineTest, SlowLineStretchesTheGapsBetweenAnswerBytes) {
  // At 300 bit/s a byte takes about 33 ms.
  SimProcess sim({"--pty", "--line-rate", "300"});
  kpsbox engine{1};
  useSimulatorPty(engine, sim);
  engine.interByteTimeoutMs = 150;
  EXPECT_TRUE(readTable(engine, 3, 0, 4)) << engine.ErrorText();
  engine.interByteTimeoutMs = 10;
  EXPECT_FALSE(readTable(engine, 3, 0, 4));
  EXPECT_EQ(engine.resultCode, kpsbox::kInterByteTimeout);
}

TEST(SimProcessTest, HelpBadOptionsAndStopping) {
  SimProcess help({"--help"});
  EXPECT_EQ(help.readLine().rfind("zvc-sim: ", 0), 0u);
  EXPECT_EQ(help.waitForExit(), 0);

  SimProcess wrong({"--fault", "3 explode"});
  EXPECT_EQ(wrong.waitForExit(), 2);

  SimProcess serving({"--tcp", "0"});
  EXPECT_GT(serving.tcpPort(), 0);
  EXPECT_EQ(serving.terminate(), 0);
}

}  // namespace
}  // namespace zvc

// The connection step against a running zvc-sim: link, identification, working tables.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/connection_step.h"
#include "core/app/disconnect.h"
#include "core/app/menu_rules.h"
#include "core/app/program_settings.h"
#include "core/common/text_codec.h"
#include "core/link/connect_dialog_logic.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/config_record.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "sim/sim_tables.h"
#include "sim_process.h"
#include "support/recording_frontend.h"
#include "support/scripted_restore_host.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using std::chrono::milliseconds;
using test::SimProcess;
using Lines = std::vector<std::string>;

constexpr std::uint8_t kSimCom = 43;

constexpr ModemTimings kQuickModem{
    .replyWait = milliseconds(500),
    .escapeGuard = milliseconds(120),
    .settleAfterReset = milliseconds(10),
    .commandPause = milliseconds(5),
    .hangUpGuard = milliseconds(120),
    .hangUpReplyWait = milliseconds(500),
};

const Lines kWorkingTableReads = {"R 0 0 18", "R 5 0 3",  "R 6 0 12", "R 14 0 16", "R 1 0 3",
                                  "R 1 3 3",  "R 1 6 3",  "R 1 9 3",  "R 1 12 3",  "R 1 15 3",
                                  "R 1 18 2", "R 41 0 1", "R 15 6 1"};

// "F=1 00 05 00 03" -> "R 5 0 3"; a write "W 4 0 10" with " blank" when it carried blank
// credentials; other functions "F=n".
std::string describe(const std::string& logLine) {
  std::istringstream in(logLine);
  std::string function;
  in >> function;
  std::vector<int> payload;
  for (std::string hex; in >> hex;) payload.push_back(std::stoi(hex, nullptr, 16));
  constexpr std::size_t kCredentials = 16;
  if (function == "F=2" && payload.size() > kCredentials + 3) {
    const bool blank = std::all_of(payload.begin(), payload.begin() + kCredentials,
                                   [](int b) { return b == ' '; });
    return "W " + std::to_string(payload[17]) + " " + std::to_string(payload[18]) + " " +
           std::to_string(payload[19]) + (blank ? " blank" : "");
  }
  if (function != "F=1" || payload.size() < 4) return function;
  return "R " + std::to_string(payload[1]) + " " + std::to_string(payload[2]) + " " +
         std::to_string(payload[3]);
}

// A configuration file whose one user is the simulator's own: code "1", password "1".
ConfigFileRecord restoreFile() {
  ConfigFileRecord record = defaultConfigRecord();
  std::uint8_t* user = &record.bytes[ConfigFileRecord::kUsers];
  std::memcpy(user, "ADM ", 4);
  user[4] = 1;
  user[6] = '1';
  user[18] = '1';
  return record;
}

Lines withWorkingTableReads(Lines lines) {
  lines.insert(lines.end(), kWorkingTableReads.begin() + 1, kWorkingTableReads.end());
  return lines;
}

// The main window as far as the connection step sees it: the real connection dialog logic and
// disconnect, a person who enters the simulator's credentials.
class WindowDouble : public test::ScriptedConnectionHost {
 public:
  WindowDouble(ConnectionState& connection, const ConfigImage& image, ProgramSettings& settings,
               Frontend& frontend, bool& telephoneConnected)
      : connection_(connection),
        image_(image),
        settings_(settings),
        frontend_(frontend),
        telephoneConnected_(telephoneConnected) {}

  bool runConnectDialog() override {
    return connectChosenLink(*connection_.engine, settings_.link, choice, frontend_);
  }
  std::optional<Credentials> askCredentials() override {
    ++credentialPrompts;
    Credentials credentials;
    acceptCredentials(sim::kDefaultUserCode, sim::kDefaultUserPassword, credentials);
    return credentials;
  }
  void callEstablished() override { ++callsEstablished; }
  void disconnect() override {
    disconnectLink(connection_, telephoneConnected_, frontend_, kQuickModem);
  }
  void hideMenus() override {}
  void applyMenuRules() override { menus = menuView(connection_.connected, image_); }

  ConnectChoice choice;
  int credentialPrompts = 0;
  int callsEstablished = 0;
  MenuView menus{};

 private:
  ConnectionState& connection_;
  const ConfigImage& image_;
  ProgramSettings& settings_;
  Frontend& frontend_;
  bool& telephoneConnected_;
};

class ConnectionStepSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.createSubfolders();
    settings.load({1920, 1080}, 45000);
    step.modemTimings = kQuickModem;
  }

  // The simulator on a pseudo-terminal, reached as the direct line.
  void startDirect(std::vector<std::string> options, const std::string& address = "1") {
    startOnPty(std::move(options));
    settings.link.settings.direct = linkParams();
    window.choice = {kDirectLink, address, false};
  }

  // The simulator's modem on a pseudo-terminal, the one subscriber chosen.
  void startModem(std::vector<std::string> options) {
    options.insert(options.end(), {"--modem", "--modem-guard", "50"});
    startOnPty(std::move(options));
    PhoneLinkSettings& phone = settings.link.settings.phone;
    phone.params = linkParams();
    phone.subscribers.count = 1;
    phone.subscribers.entries[0] = {"Станция", 1, 0, "8 (812) 555-12-34"};
    window.choice = {kPhoneLink, "1", true};
  }

  void startOnPty(std::vector<std::string> options) {
    options.insert(options.end(), {"--pty", "--log", logPath});
    sim = std::make_unique<SimProcess>(options);
    settings.link.settings.ports[kSimCom] = sim->ptyPath();
  }

  static LinkParams linkParams() {
    return {.port = kSimCom, .speed = 115200, .preambles = 0, .tries = 1, .firstByteWaitS = 1};
  }

  Lines requests() const {
    std::ifstream file(logPath);
    Lines all;
    for (std::string line; std::getline(file, line);) all.push_back(describe(line));
    return all;
  }

  std::string name(int field) const {
    return fieldToUtf8(image.field(5, field).data(), image.field(5, field).size());
  }
  std::uint32_t serialNumber() const {
    const auto field = image.field(41, 0);
    return field[0] | field[1] << 8 | field[2] << 16 | std::uint32_t(field[3]) << 24;
  }

  const std::string logPath =
      ::testing::TempDir() + "zvc_connection_step_" + std::to_string(getpid()) + "_" +
      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  std::unique_ptr<SimProcess> sim;
  test::TempFolder temp;
  WorkingFolder folder{temp.path() / "ЖВЦ станция"};
  ProgramSettings settings{folder};
  kpsbox engine{0};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  test::RecordingFrontend frontend;
  TableService tables{connection, image, settings.link.settings, frontend};
  bool telephoneConnected = false;
  WindowDouble window{connection, image, settings, frontend, telephoneConnected};
  ConnectionStep step{connection, tables, settings, window, telephoneConnected};
};

TEST_F(ConnectionStepSimTest, DirectLinkIdentifiesAndReadsTheWorkingTables) {
  startDirect({"--cp866"});

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(requests(), kWorkingTableReads);
  EXPECT_EQ(name(0), "Контроллер ЖВЦ_15");  // travelled in CP866
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
  EXPECT_EQ(serialNumber(), 73150001u);
  EXPECT_EQ(window.credentialPrompts, 1);
  EXPECT_EQ(engine.userCode[0], '1');
  EXPECT_TRUE(window.menus.isShown(MenuGroup::kParameters));
  EXPECT_EQ(window.menus.run1Caption, "Нитка 1");
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_TRUE(std::filesystem::exists(folder.archiveDialogFile()));
  EXPECT_NE(engine.portHandle, kNoPort);
  window.disconnect();
}

TEST_F(ConnectionStepSimTest, TcpLinkIdentifiesAndReadsTheWorkingTables) {
  sim = std::make_unique<SimProcess>(std::vector<std::string>{"--tcp", "0", "--log", logPath});
  EthernetLinkSettings& ethernet = settings.link.settings.ethernet;
  ethernet.params.firstByteWaitS = 1;
  ethernet.subscribers.count = 1;
  ethernet.subscribers.entries[0] = {"Стенд", 1, INADDR_LOOPBACK, sim->tcpPort()};
  window.choice = {kEthernetLink, "1", true};

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(requests(), kWorkingTableReads);
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
  window.disconnect();
  EXPECT_EQ(engine.tcpSocket, -1);
}

TEST_F(ConnectionStepSimTest, Version16IsRefusedAndTheLinkClosed) {
  startDirect({"--software-version", "16"});

  step.run();

  EXPECT_FALSE(connection.connected);
  EXPECT_EQ(requests(), Lines{"R 0 0 18"});
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 6);
  EXPECT_EQ(frontend.messages[0].line1, "Версия ПО подключенного контроллера 16");
  EXPECT_EQ(frontend.messages[0].line2,
            "Программа обслуживает контроллеры ЖВЦ только с версией ПО 15");
  EXPECT_EQ(engine.portHandle, kNoPort);
  EXPECT_FALSE(window.menus.isShown(MenuGroup::kParameters));
  EXPECT_TRUE(window.menus.emptyLinkPanels);
}

TEST_F(ConnectionStepSimTest, UnreadableNamesGiveTheUsualNamesAndStillConnect) {
  startDirect({"--fault", "2 error 9"});
  for (int field = 0; field < 3; ++field) utf8ToField("прежнее", image.field(5, field).data(), 20);

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(requests(), kWorkingTableReads);  // request 2 is the one refused
  EXPECT_EQ(name(0), "Контроллер ЖВЦ_15");
  EXPECT_EQ(name(1), "Нитка 1");
  EXPECT_EQ(name(2), "Нитка 2");
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
}

TEST_F(ConnectionStepSimTest, UnreadableSerialNumberIsZeroAndStillConnects) {
  startDirect({"--fault", "12 error 9"});

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(requests()[11], "R 41 0 1");
  EXPECT_EQ(requests().back(), "R 15 6 1");
  EXPECT_EQ(serialNumber(), 0u);
}

TEST_F(ConnectionStepSimTest, AnyAddressTakesTheAnsweringControllersAndKeepsIt) {
  startDirect({"--address", "7"}, "255");

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(settings.link.settings.direct.address, 7);
  ASSERT_TRUE(settings.save());
  EXPECT_EQ(readLinkSettings(folder.linkSettingsFiles().settings, {1920, 1080}).direct.address, 7);
}

TEST_F(ConnectionStepSimTest, DeclinedModemRetryMakesNoIdentificationRead) {
  startModem({"--modem-dial", "BUSY"});

  step.run();

  EXPECT_FALSE(connection.connected);
  EXPECT_FALSE(telephoneConnected);
  EXPECT_TRUE(requests().empty());
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 3);
  EXPECT_EQ(frontend.messages[0].line1, modemResultText(kModemBusy));
  EXPECT_EQ(frontend.messages[0].line2, "Повторить попытку соединения?");
  EXPECT_EQ(window.credentialPrompts, 1);
  EXPECT_EQ(window.callsEstablished, 0);
  EXPECT_EQ(engine.portHandle, kNoPort);
  EXPECT_EQ(frontend.status[kStatusBar3], "");
}

TEST_F(ConnectionStepSimTest, ModemCallIsHungUpOnDisconnect) {
  startModem({});

  step.run();

  ASSERT_TRUE(connection.connected);
  EXPECT_TRUE(telephoneConnected);
  EXPECT_EQ(window.callsEstablished, 1);
  EXPECT_EQ(window.credentialPrompts, 1);
  EXPECT_EQ(requests(), kWorkingTableReads);

  window.disconnect();
  EXPECT_FALSE(telephoneConnected);
  EXPECT_EQ(engine.portHandle, kNoPort);
  // On-hook, the modem no longer passes frames to the controller.
  ASSERT_TRUE(engine.OpenPort());
  const std::uint8_t table0[] = {0, 0, 18};
  EXPECT_FALSE(engine.Command(kpsbox::kReadTable, table0, 3, 0));
  engine.ClosePort();
}

// Damaged tables at connection: the table-state dialog and the restore.

TEST_F(ConnectionStepSimTest, DestroyedTableShowsItsStateAndExitStillConnects) {
  startDirect({"--fault", "destroyed 4"});

  step.run();

  EXPECT_TRUE(connection.connected);
  ASSERT_EQ(window.shownBlocks.size(), 1u);
  EXPECT_EQ(window.shownBlocks[0].destroyed[4], 1);
  EXPECT_EQ(window.shownBlocks[0].destroyed[5], 0);
  EXPECT_EQ(requests(), withWorkingTableReads({"R 0 0 18", "R 7 0 47"}));
  window.disconnect();
}

TEST_F(ConnectionStepSimTest, Version14ReadsNoTableStatesAndExitDisconnects) {
  startDirect({"--fault", "version14"});

  step.run();

  EXPECT_FALSE(connection.connected);
  EXPECT_EQ(requests(), Lines{"R 0 0 18"});
  ASSERT_EQ(window.shownBlocks.size(), 1u);
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    EXPECT_EQ(window.shownBlocks[0].destroyed[table], 1) << table;
  }
  EXPECT_EQ(engine.portHandle, kNoPort);
}

TEST_F(ConnectionStepSimTest, Version14WriteAllRewritesEveryTableThenDisconnects) {
  startDirect({"--fault", "version14"});
  window.tableStateResult = kWriteAllTables;
  window.file = restoreFile();
  frontend.answers = {false};  // the computer's time is not written

  step.run();

  EXPECT_FALSE(connection.connected);
  EXPECT_FALSE(connection.restoreThenDisconnect);
  EXPECT_EQ(window.editorShown, 1);
  EXPECT_EQ(window.recordsSaved, 0);  // nothing changed in the editor
  const Lines sent = requests();
  // The users table first, in two parts, with blank credentials; then the controller's order.
  const Lines expected = {"R 0 0 18",  "W 4 0 10 blank", "W 4 10 6 blank", "W 9 0 6",   "W 17 0 1",
                          "W 18 0 1",  "W 19 0 1",       "W 20 0 1",       "W 13 0 1",  "W 1 0 3",
                          "W 1 3 3",   "W 1 6 3",        "W 1 9 3",        "W 1 12 3",  "W 1 15 3",
                          "W 1 18 2",  "W 3 0 4",        "W 5 0 3",        "W 6 0 12",  "W 14 0 16",
                          "W 15 0 8",  "W 21 0 20",      "W 22 0 20",      "W 23 0 20", "W 24 0 20",
                          "W 25 0 20", "W 26 0 20",      "W 28 0 2",       "W 29 0 7",  "W 43 0 20",
                          "W 44 0 20", "W 45 0 20",      "W 46 0 20"};
  EXPECT_EQ(sent, expected);
  // The credentials entered at connection are in force again.
  EXPECT_EQ(engine.userCode[0], '1');
  EXPECT_EQ(engine.writePassword[0], '1');
  EXPECT_EQ(engine.portHandle, kNoPort);
}

TEST_F(ConnectionStepSimTest, WriteSelectedWithNothingFlaggedSetsTheClockAndConnects) {
  startDirect({"--fault", "version14"});
  window.tableStateResult = kWriteSelectedTables;
  frontend.answers = {true};  // write the computer's time

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(window.filesLoaded, 0);
  EXPECT_EQ(requests(), withWorkingTableReads({"R 0 0 18", "R 6 0 12", "W 2 0 8"}));
  window.disconnect();
}

TEST_F(ConnectionStepSimTest, RestoreRefusedByTheChecksWritesNothing) {
  startDirect({"--fault", "version14"});
  window.tableStateResult = kWriteAllTables;
  window.file = defaultConfigRecord();             // no manufacturer among the users
  frontend.answers = {false, true, false, false};  // correct it once, then give up

  step.run();

  EXPECT_FALSE(connection.connected);
  EXPECT_EQ(window.editorShown, 2);
  EXPECT_EQ(requests(), Lines{"R 0 0 18"});
  ASSERT_EQ(frontend.messages.size(), 5u);
  EXPECT_EQ(frontend.messages[0].line2, "не зарегистрирован производитель-наладчик");
  EXPECT_EQ(frontend.messages[1].line1, "Корректировать параметры конфигурации?");
  EXPECT_EQ(frontend.messages[4].line1, "Запись таблиц не выполнена");
}

TEST_F(ConnectionStepSimTest, UsersTableAloneIsWrittenFromTheFileWithBlankCredentials) {
  startDirect({"--fault", "version14"});
  window.tableStateResult = kWriteSelectedTables;
  window.tick = {4};
  window.file = restoreFile();

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(window.editorShown, 0);
  EXPECT_EQ(window.usersDialogShown, 1);
  EXPECT_EQ(requests(), withWorkingTableReads({"R 0 0 18", "W 4 0 10 blank", "W 4 10 6 blank"}));
  EXPECT_EQ(engine.userCode[0], '1');
  window.disconnect();
}

TEST_F(ConnectionStepSimTest, CancelledUsersTableWritesNothing) {
  startDirect({"--fault", "version14"});
  window.tableStateResult = kWriteSelectedTables;
  window.tick = {4};
  window.file = restoreFile();
  window.usersConfirmed = false;

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(requests(), kWorkingTableReads);
  ASSERT_FALSE(frontend.messages.empty());
  EXPECT_EQ(frontend.messages[0].line1, "Таблица доступа к записи в контроллер не восстановлена");
  EXPECT_EQ(frontend.messages[0].line2, "Запись в таблицы параметров конфигурации недопустима");
  window.disconnect();
}

}  // namespace
}  // namespace zvc

#include "core/app/connection_step.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/disconnect.h"
#include "core/app/program_settings.h"
#include "core/common/text_codec.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"
#include "support/scripted_restore_host.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::Bytes;
using Reply = test::ScriptedController::Reply;
using Ranges = std::vector<TableRange>;

constexpr int kPtyCom = 42;

TEST(CredentialPrompt, EmptyCodeIsRefusedAndTheCredentialsStay) {
  Credentials credentials;
  credentials.userCode.fill('9');
  const auto error = acceptCredentials("", "secret", credentials);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->line1, "Не задан код идентификации пользователя");
  EXPECT_EQ(credentials.userCode[0], '9');
}

TEST(CredentialPrompt, CodeAndPasswordAreBlankPaddedAsTyped) {
  struct Case {
    const char* code;
    const char* password;
    const char* userCode;       // 4 bytes
    const char* writePassword;  // 12 bytes, Windows-1251
  };
  const Case cases[] = {
      {"1", "", "1   ", "            "},
      {"0042", "Пароль", "0042", "\xCF\xE0\xF0\xEE\xEB\xFC      "},
      {"123456", "password-longer-than-12", "1234", "password-lon"},
  };
  for (const Case& c : cases) {
    Credentials credentials;
    EXPECT_FALSE(acceptCredentials(c.code, c.password, credentials)) << c.code;
    EXPECT_EQ(std::string(credentials.userCode.begin(), credentials.userCode.end()), c.userCode);
    EXPECT_EQ(std::string(credentials.writePassword.begin(), credentials.writePassword.end()),
              c.writePassword);
  }
}

void setName(ConfigImage& image, int field, std::string_view utf8, bool cp866) {
  const auto name = image.field(5, field);
  std::fill(name.begin(), name.end(), ' ');
  const std::string bytes = utf8ToCp1251(utf8);
  std::copy(bytes.begin(), bytes.end(), name.begin());
  if (cp866) encodeCp866(name.data(), name.size());
}

// The tables of a set-up station as its controller holds them.
ConfigImage station(bool cp866Names) {
  ConfigImage image;
  const auto identification = image.table(0);
  identification[1] = 73;
  identification[3] = 15;
  identification[12] = cp866Names ? 0 : 1;
  setName(image, 0, "  ГРС Восток", cp866Names);
  setName(image, 1, "Вход", cp866Names);
  setName(image, 2, "Выход", cp866Names);
  image.field(6, 8)[0] = 1;  // moisture meter
  image.field(14, 6)[0] = 7;
  for (int field = 0; field < 20; ++field) image.field(1, field)[0] = std::uint8_t(field + 1);
  const auto serial = image.field(41, 0);
  std::fill(serial.begin(), serial.end(), 0x21);
  image.field(15, 6)[0] = 3;
  return image;
}

Ranges workingTableReads(bool moistureMeter) {
  Ranges reads = {{5, 0, 3}, {6, 0, 12}, {14, 0, 16}};
  for (std::uint8_t first = 0; first < 20; first += 3) {
    reads.push_back({1, first, std::uint8_t(std::min(3, 20 - first))});
  }
  reads.push_back({41, 0, 1});
  if (moistureMeter) reads.push_back({15, 6, 1});
  return reads;
}

// The controller answers these reads from its tables, except the ones it keeps silent about.
std::vector<Reply> answers(const ConfigImage& controller, const Ranges& reads,
                           const Ranges& silent = {}) {
  std::vector<Reply> replies;
  for (const TableRange& range : reads) {
    if (std::find(silent.begin(), silent.end(), range) != silent.end()) {
      replies.push_back({});
      continue;
    }
    Bytes payload{0, range.table, range.first, range.count};
    const auto data = controller.fields(range.table, range.first, range.count);
    payload.insert(payload.end(), data.begin(), data.end());
    replies.push_back({test::responseFrame(1, 0x81, payload)});
  }
  return replies;
}

class NoHost : public test::ScriptedConnectionHost {
 public:
  bool runConnectDialog() override { return dialogConnects; }
  std::optional<Credentials> askCredentials() override {
    ++credentialPrompts;
    return credentials;
  }
  void callEstablished() override { ++callsEstablished; }
  void disconnect() override { ++disconnects; }
  void hideMenus() override { ++menusHidden; }
  void applyMenuRules() override { ++menuRulesApplied; }

  bool dialogConnects = true;
  std::optional<Credentials> credentials;
  int credentialPrompts = 0;
  int callsEstablished = 0;
  int disconnects = 0;
  int menusHidden = 0;
  int menuRulesApplied = 0;
};

// The program on a direct line, a scripted controller at the other end.
class ConnectionStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.comPort = kPtyCom;
    engine.comPortOverrides[kPtyCom] = pty.slavePath();
    engine.baudRate = 115200;
    engine.responseTimeoutMs = 300;
    engine.tries = 1;
    engine.openPortPerExchange = false;
    ASSERT_TRUE(engine.OpenPort());
    folder.createSubfolders();
  }

  void answer(std::vector<Reply> replies) {
    controller = std::make_unique<test::ScriptedController>(pty.master(), std::move(replies));
  }

  // The ranges read, in order.
  Ranges reads() {
    controller->finish();
    Ranges ranges;
    for (const auto& request : controller->requests()) {
      const Bytes& wire = request.wire;
      const auto start = std::find(wire.begin(), wire.end(), 0xCC) - wire.begin();
      ranges.push_back({wire[start + 5], wire[start + 6], wire[start + 7]});
    }
    return ranges;
  }

  std::string controllerName() const {
    const auto name = image.field(5, 0);
    return cp1251ToUtf8(std::string(name.begin(), name.end()));
  }
  std::uint8_t serialByte() const { return image.field(41, 0)[0]; }

  test::PseudoTerminal pty;
  std::unique_ptr<test::ScriptedController> controller;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  test::TempFolder temp;
  WorkingFolder folder{temp.path()};
  ProgramSettings settings{folder};
  test::RecordingFrontend frontend;
  TableService tables{connection, image, settings.link.settings, frontend};
  NoHost host;
  bool telephoneConnected = false;
  ConnectionStep step{connection, tables, settings, host, telephoneConnected};
};

TEST_F(ConnectionStepTest, WorkingTablesAreReadInOrderAndTheNamesDecoded) {
  const ConfigImage controllerTables = station(true);
  image.field(0, 12)[0] = 0;  // as table 0 told
  answer(answers(controllerTables, workingTableReads(true)));

  EXPECT_TRUE(step.ReadWorkingTables());

  EXPECT_EQ(reads(), workingTableReads(true));
  EXPECT_EQ(controllerName(), "  ГРС Восток        ");
  EXPECT_EQ(frontend.status[kControllerNamePanel], "ГРС Восток");
  EXPECT_EQ(image.field(1, 19)[0], 20);
  EXPECT_EQ(serialByte(), 0x21);
  EXPECT_EQ(image.field(15, 6)[0], 3);
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_FALSE(frontend.busy);
}

TEST_F(ConnectionStepTest, UnreadableNamesBecomeTheUsualOnesAndTheWorkGoesOn) {
  setName(image, 0, "прежнее имя", false);
  answer(answers(station(false), workingTableReads(true), {{5, 0, 3}}));

  EXPECT_TRUE(step.ReadWorkingTables());

  const auto name = [&](int field) {
    return fieldToUtf8(image.field(5, field).data(), image.field(5, field).size());
  };
  EXPECT_EQ(name(0), "Контроллер ЖВЦ_15");
  EXPECT_EQ(name(1), "Нитка 1");
  EXPECT_EQ(name(2), "Нитка 2");
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
}

TEST_F(ConnectionStepTest, UnreadableSerialNumberIsZeroAndTheWorkGoesOn) {
  image.field(41, 0)[0] = 0x55;
  answer(answers(station(false), workingTableReads(true), {{41, 0, 1}}));

  EXPECT_TRUE(step.ReadWorkingTables());
  EXPECT_EQ(reads(), workingTableReads(true));
  EXPECT_EQ(serialByte(), 0);
}

TEST_F(ConnectionStepTest, OtherChromatographStopsBeforeTable1AndZeroesTheSerialNumber) {
  ConfigImage controllerTables = station(false);
  controllerTables.field(14, 6)[0] = 5;
  image.field(41, 0)[0] = 0x55;
  answer(answers(controllerTables, {{5, 0, 3}, {6, 0, 12}, {14, 0, 16}}));

  EXPECT_FALSE(step.ReadWorkingTables());

  EXPECT_EQ(reads(), (Ranges{{5, 0, 3}, {6, 0, 12}, {14, 0, 16}}));
  EXPECT_EQ(serialByte(), 0);
  ASSERT_EQ(frontend.messages.size(), 2u);
  EXPECT_EQ(frontend.messages[0].kind, 6);
  EXPECT_EQ(frontend.messages[0].line1, "Код подключенного хроматографа равен 5.");
  EXPECT_EQ(frontend.messages[0].line2, "Должен быть 7 (QRT Vela)");
  EXPECT_EQ(frontend.messages[1].kind, 5);
  EXPECT_EQ(frontend.messages[1].line1, "Не прочитаны данные, для организации");
  EXPECT_EQ(frontend.messages[1].line2, "дальнейшего обмена с устройством");
}

TEST_F(ConnectionStepTest, MoistureMeterTableDecidesTheResultWhenAMeterIsConnected) {
  answer(answers(station(false), workingTableReads(true), {{15, 6, 1}}));
  EXPECT_FALSE(step.ReadWorkingTables());
  ASSERT_FALSE(frontend.messages.empty());
  EXPECT_EQ(frontend.messages.back().kind, 5);
}

TEST_F(ConnectionStepTest, WithoutMoistureMeterTable15IsNotRead) {
  ConfigImage controllerTables = station(false);
  controllerTables.field(6, 8)[0] = 0;
  answer(answers(controllerTables, workingTableReads(false)));
  EXPECT_TRUE(step.ReadWorkingTables());
  EXPECT_EQ(reads(), workingTableReads(false));
}

TEST_F(ConnectionStepTest, DeclinedConnectionDialogReadsNothingAndSavesNothing) {
  host.dialogConnects = false;
  answer({});
  step.run();
  EXPECT_TRUE(reads().empty());
  EXPECT_FALSE(std::filesystem::exists(folder.archiveDialogFile()));
  EXPECT_EQ(host.menusHidden, 1);
  EXPECT_EQ(host.menuRulesApplied, 1);
  EXPECT_FALSE(connection.connected);
}

TEST_F(ConnectionStepTest, ServedControllerIsConnectedWithTheUsersCredentials) {
  Credentials credentials;
  ASSERT_FALSE(acceptCredentials("7", "pass", credentials));
  host.credentials = credentials;
  const ConfigImage controllerTables = station(false);
  Ranges all = {{0, 0, 18}};
  for (const TableRange& range : workingTableReads(true)) all.push_back(range);
  answer(answers(controllerTables, all));

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(reads(), all);
  EXPECT_EQ(engine.userCode, credentials.userCode);
  EXPECT_EQ(engine.writePassword, credentials.writePassword);
  EXPECT_EQ(host.credentialPrompts, 1);
  EXPECT_EQ(host.disconnects, 1);  // only the one before the dialog
  EXPECT_EQ(host.menuRulesApplied, 1);
  EXPECT_TRUE(std::filesystem::exists(folder.archiveDialogFile()));
  EXPECT_FALSE(frontend.busy);
}

TEST_F(ConnectionStepTest, CancelledPromptKeepsTheEnginesCredentials) {
  engine.userCode.fill(' ');
  Ranges all = {{0, 0, 18}};
  for (const TableRange& range : workingTableReads(true)) all.push_back(range);
  answer(answers(station(false), all));
  step.run();
  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(host.credentialPrompts, 1);
  EXPECT_EQ(std::string(engine.userCode.begin(), engine.userCode.end()), "    ");
}

// Controllers that are not worked with: the link is closed after table 0 alone.
TEST_F(ConnectionStepTest, ControllerNotServedIsDisconnectedAfterTable0) {
  struct Case {
    std::uint8_t type;
    std::uint8_t version;
    std::uint8_t destroyedTable;
    const char* line1;  // nullptr: no message
    const char* line2;
    int credentialPrompts;
  };
  const Case cases[] = {
      {72, 15, 0, "Код типа подключенного контроллера  72", "Программа обслуживает контроллеры ЖВЦ",
       0},
      {73, 16, 0, "Версия ПО подключенного контроллера 16",
       "Программа обслуживает контроллеры ЖВЦ только с версией ПО 15", 0},
      {73, 14, 0, nullptr, nullptr, 1},  // a table-state dialog left with "Выход"
      {73, 14, 4, nullptr, nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.type) << " " << int(c.version));
    frontend = test::RecordingFrontend{};
    host = NoHost{};
    ConfigImage controllerTables = station(false);
    controllerTables.field(0, 0)[0] = c.destroyedTable;
    controllerTables.field(0, 1)[0] = c.type;
    controllerTables.field(0, 3)[0] = c.version;
    answer(answers(controllerTables, {{0, 0, 18}}));

    step.run();

    EXPECT_FALSE(connection.connected);
    EXPECT_EQ(reads(), (Ranges{{0, 0, 18}}));
    EXPECT_EQ(host.disconnects, 2);
    EXPECT_EQ(host.menuRulesApplied, 1);
    EXPECT_EQ(host.credentialPrompts, c.credentialPrompts);
    if (c.line1 == nullptr) {
      EXPECT_TRUE(frontend.messages.empty());
    } else {
      ASSERT_EQ(frontend.messages.size(), 1u);
      EXPECT_EQ(frontend.messages[0].kind, 6);
      EXPECT_EQ(frontend.messages[0].line1, c.line1);
      EXPECT_EQ(frontend.messages[0].line2, c.line2);
    }
  }
}

TEST_F(ConnectionStepTest, DestroyedTableOnVersion15StillReadsTheWorkingTables) {
  ConfigImage controllerTables = station(false);
  controllerTables.field(0, 0)[0] = 4;
  controllerTables.field(7, 4)[0] = 1;
  Ranges all = {{0, 0, 18}, {7, 0, 47}};
  for (const TableRange& range : workingTableReads(true)) all.push_back(range);
  answer(answers(controllerTables, all));

  step.run();

  EXPECT_TRUE(connection.connected);
  EXPECT_EQ(reads(), all);
  ASSERT_EQ(host.shownBlocks.size(), 1u);  // the table-state dialog, left with "Выход"
  EXPECT_EQ(host.shownBlocks[0].destroyed[4], 1);
  EXPECT_EQ(host.shownBlocks[0].configuration[4], 1);
}

TEST(Disconnect, ClosesTheSocketAndClearsConnected) {
  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  kpsbox engine{1};
  engine.tcpSocket = pair[0];
  ConnectionState connection{.connected = true, .engine = &engine};
  bool telephoneConnected = false;
  test::RecordingFrontend frontend;

  disconnectLink(connection, telephoneConnected, frontend);

  EXPECT_EQ(engine.tcpSocket, -1);
  EXPECT_EQ(fcntl(pair[0], F_GETFD), -1);
  EXPECT_FALSE(connection.connected);
  close(pair[1]);
}

TEST(Disconnect, ClosesTheSerialPort) {
  test::PseudoTerminal pty;
  kpsbox engine{1};
  engine.comPort = kPtyCom;
  engine.comPortOverrides[kPtyCom] = pty.slavePath();
  engine.openPortPerExchange = false;
  ASSERT_TRUE(engine.OpenPort());
  ConnectionState connection{.connected = true, .engine = &engine};
  bool telephoneConnected = false;
  test::RecordingFrontend frontend;

  disconnectLink(connection, telephoneConnected, frontend);

  EXPECT_EQ(engine.portHandle, kNoPort);
  EXPECT_FALSE(connection.connected);
}

}  // namespace
}  // namespace zvc

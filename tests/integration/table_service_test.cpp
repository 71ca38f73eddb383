// The table service against a running zvc-sim: what goes on the line, read back from its log.
#include "core/tables/table_service.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/text_codec.h"
#include "sim_tables_fixture.h"

namespace zvc {
namespace {

using test::RecordingFrontend;
using test::SimTablesTest;
using Lines = test::Lines;

class TableServiceTest : public SimTablesTest {};

TEST_F(TableServiceTest, ReadingTable1TakesSevenRequestsOfAtMostThreeRecords) {
  start();
  ASSERT_TRUE(service.readTableRange({1, 0, 20}));
  EXPECT_EQ(requests(), (Lines{"R 1 0 3", "R 1 3 3", "R 1 6 3", "R 1 9 3", "R 1 12 3", "R 1 15 3",
                               "R 1 18 2"}));
  EXPECT_EQ(fieldToUtf8(image.field(1, 17).data() + 40, 10), "") << "record 17 unused";
  EXPECT_NE(fieldToUtf8(image.field(1, 14).data() + 40, 10), "") << "record 14 read";
  EXPECT_EQ(frontend.statusHistory.front(), "2:Чтение из таблицы 1 (поля 0-2)");
  EXPECT_EQ(frontend.status[kResultPanel], "");
  EXPECT_TRUE(frontend.messages.empty());
}

// Each case: the fields of a table that an edit changes, and the writes that must go out.
struct ChangeCase {
  std::uint8_t table;
  std::vector<int> changed;
  Lines writes;
};

TEST_F(TableServiceTest, WriteChangedFieldsMergesRunsOnlyWhenOneWriteIsCheaper) {
  start();
  const ChangeCase cases[] = {
      {6, {}, {}},                                              // nothing changed: nothing sent
      {6, {0, 1, 3}, {"W 6 0 4"}},                              // 30 bytes against 28 + 27
      {6, {0, 10}, {"W 6 0 11"}},                               // 37 against 27 + 27
      {1, {0, 19}, {"W 1 0 1", "W 1 19 1"}},                    // 1306 against 90 + 90
      {1, {4, 5, 6, 7, 8}, {"W 1 4 3", "W 1 7 2"}},             // one run, three records a request
      {1, {0, 1, 2, 3, 5}, {"W 1 0 3", "W 1 3 1", "W 1 5 1"}},  // 410 against 282 + 90
  };
  for (const ChangeCase& c : cases) {
    const TableRange whole{c.table, 0, TableCatalogue::table(c.table).fieldCount};
    ASSERT_TRUE(service.readTableRange(whole));
    requests();
    const auto old = copyOf(whole);
    for (int field : c.changed) image.field(c.table, field)[0] ^= 0x01;
    EXPECT_TRUE(service.writeChangedFields(whole, old)) << engine.ErrorText();
    EXPECT_EQ(requests(), c.writes) << "table " << int(c.table);
  }
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(TableServiceTest, WrongEchoLeavesTheImageAndAsksWhetherToRetry) {
  start({"--fault", "2 range", "--fault", "4 range"});  // request 1 reads table 0
  const TableRange names{5, 0, 3};
  for (const bool verbose : {true, false}) {
    std::fill(image.table(5).begin(), image.table(5).end(), 0xAA);
    EXPECT_FALSE(service.readTableRange(names, verbose));
    EXPECT_EQ(image.field(5, 2)[0], 0xAA);
    ASSERT_EQ(frontend.messages.size(), 1u) << "reported in both forms";
    if (!verbose) {
      EXPECT_TRUE(frontend.statusHistory.empty());
    }
    EXPECT_EQ(frontend.messages[0].kind, 7);
    EXPECT_EQ(frontend.messages[0].line1, "Несоответствие запрошенных и переданных данных.");
    EXPECT_EQ(frontend.messages[0].line2, "Табл. 5 \" Наименование контроллера\".");
    frontend.messages.clear();
    // The next request is answered correctly.
    EXPECT_TRUE(service.readTableRange(names, verbose));
    EXPECT_EQ(fieldToUtf8(image.field(5, 0).data(), 20), "Контроллер ЖВЦ_15");
    frontend = RecordingFrontend{};
  }
}

TEST_F(TableServiceTest, YesToTheRetryQuestionRepeatsTheRequest) {
  start({"--fault", "2 range", "--fault", "3 silent", "--fault", "5 range"});
  frontend.answers = {true, true, false};
  EXPECT_TRUE(service.readTableRange({6, 0, 12}));
  EXPECT_EQ(requests(), (Lines{"R 6 0 12", "R 6 0 12", "R 6 0 12"}));
  ASSERT_EQ(frontend.messages.size(), 2u);
  EXPECT_EQ(frontend.messages[1].line1, "Не выполнено чтение из таблицы 6.");
  EXPECT_EQ(frontend.messages[1].line2, "\" Системные параметры\"");
  EXPECT_EQ(image.field(6, 6)[0], 9) << "contract hour of the simulator";

  frontend.messages.clear();
  image.field(6, 6)[0] = 10;
  EXPECT_FALSE(service.writeTableRange({6, 6, 1}));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 7);
  EXPECT_EQ(frontend.messages[0].line1,
            "Несоответствие заголовка ответа заголовку запроса на запись.");
  EXPECT_EQ(frontend.messages[0].line2, "Табл. 6 \" Системные параметры\".");
}

TEST_F(TableServiceTest, FailedExchangeShowsTheErrorOnlyInAVerboseRead) {
  start({"--fault", "2-3 silent", "--fault", "4 error 12"});
  EXPECT_FALSE(service.readTableRange({14, 0, 16}, false));
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_TRUE(frontend.statusHistory.empty());

  EXPECT_FALSE(service.readTableRange({14, 0, 16}));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].line1, "Не выполнено чтение из таблицы 14.");
  EXPECT_EQ(frontend.statusHistory, (Lines{"2:Чтение из таблицы 14 (поля 0-15)",
                                           "2:Команда 1.  Устройство не отвечает", "2:"}));

  EXPECT_FALSE(service.writeTableRange({6, 0, 1}));
  ASSERT_EQ(frontend.messages.size(), 2u);
  EXPECT_EQ(frontend.messages[1].kind, 7);
  EXPECT_EQ(frontend.messages[1].line1, "Не выполнена запись в таблицу 6.");
  EXPECT_EQ(frontend.messages[1].line2, "\" Системные параметры\".");
  EXPECT_EQ(frontend.statusHistory.back(), "2:");
}

TEST_F(TableServiceTest, ReadConfigurationSkipsTheWriteOnlyPasswords) {
  start({"--cp866"});
  ASSERT_TRUE(service.readConfiguration());
  Lines tablesRead;
  for (const std::string& request : requests()) {
    std::istringstream in(request);
    std::string kind, table, first;
    in >> kind >> table >> first;
    if (first == "0") tablesRead.push_back(table);
  }
  EXPECT_EQ(tablesRead,
            (Lines{"1",  "2",  "3",  "4",  "5",  "6",  "9",  "14", "15", "17", "18", "19", "20",
                   "21", "22", "23", "24", "25", "26", "28", "29", "43", "44", "45", "46"}));
  EXPECT_EQ(fieldToUtf8(image.field(5, 1).data(), 20), "Нитка 1");
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
  EXPECT_EQ(frontend.progressModes, (std::vector<int>{3}));
  EXPECT_EQ(frontend.progressMaximum, 27);
  EXPECT_EQ(frontend.progressPositions.back(), 27);
  EXPECT_FALSE(frontend.progressShown);
}

class FlaggedTablesTest : public TableServiceTest {
 protected:
  void SetUp() override {
    start();
    ASSERT_TRUE(service.readConfiguration());
    requests();
  }
  TableStateBlock flagged(std::initializer_list<int> tables) {
    TableStateBlock block = tableStateBlock(image);
    for (int table : tables) block.writeRequest[table] = 1;
    return block;
  }
};

TEST_F(FlaggedTablesTest, FlowComputerTablesGoFirstAndOnlyForTheConnectedOnes) {
  for (const int flowComputers : {3, 16}) {
    image.field(9, 0)[0] = std::uint8_t(flowComputers);
    TableStateBlock block = flagged({6, 13, 17, 18, 19, 20, 9, 1});
    ASSERT_TRUE(service.writeFlaggedTables(block)) << engine.ErrorText();
    const std::string n = std::to_string(flowComputers);
    Lines expected{"W 9 0 6", "W 17 0 " + n, "W 18 0 " + n, "W 19 0 " + n, "W 20 0 " + n};
    if (flowComputers == 3) {
      expected.push_back("W 13 0 3");
    } else {
      expected.insert(expected.end(), {"W 13 0 14", "W 13 14 2"});
    }
    expected.insert(expected.end(), {"W 1 0 3", "W 1 3 3", "W 1 6 3", "W 1 9 3", "W 1 12 3",
                                     "W 1 15 3", "W 1 18 2", "W 6 0 12"});
    EXPECT_EQ(requests(), expected);
    EXPECT_EQ(block.writeRequest, TableStateBlock::Flags{});
  }
  EXPECT_EQ(frontend.progressModes.back(), 2);
  EXPECT_EQ(frontend.progressMaximum, 26);
}

TEST_F(FlaggedTablesTest, AFailedWriteStopsAndKeepsTheFlagsOfTheRest) {
  sim.reset();
  start({"--fault", "3 error 12"});
  image.field(9, 0)[0] = 2;
  TableStateBlock block = flagged({9, 17, 18, 6});
  EXPECT_FALSE(service.writeFlaggedTables(block));
  EXPECT_EQ(requests(), (Lines{"W 9 0 6", "W 17 0 2"}));
  EXPECT_EQ(block.writeRequest[9], 0);
  EXPECT_EQ(block.writeRequest[17], 1);
  EXPECT_EQ(block.writeRequest[18], 1);
  EXPECT_EQ(block.writeRequest[6], 1);
  EXPECT_FALSE(frontend.progressShown);
}

TEST_F(FlaggedTablesTest, WritingTable3MovesTheEngineAndTheSettingsToTheNewAddress) {
  int refreshes = 0;
  service.refreshLinkStatus = [&] { ++refreshes; };
  image.field(3, 0)[0] = 7;
  image.field(3, 1)[0] = 15;  // 19200 bit/s
  TableStateBlock block = flagged({3});
  ASSERT_TRUE(service.writeFlaggedTables(block)) << engine.ErrorText();
  EXPECT_EQ(engine.address, 7);
  EXPECT_EQ(engine.baudRate, 19200);
  EXPECT_EQ(settings.direct.address, 7);
  EXPECT_EQ(settings.direct.speed, 19200);
  EXPECT_EQ(refreshes, 1);
  ASSERT_TRUE(service.readTableRange({0, 0, 18})) << "the controller answers at its new address";
  EXPECT_EQ(engine.response[1], 7);

  // The whole-rewrite restore of a version-14 controller ends the connection: the link stays.
  connection.restoreThenDisconnect = true;
  image.field(3, 0)[0] = 8;
  block = flagged({3});
  ASSERT_TRUE(service.writeFlaggedTables(block)) << engine.ErrorText();
  EXPECT_EQ(engine.address, 7);
  EXPECT_EQ(settings.direct.address, 7);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(FlaggedTablesTest, NamesTravelInCp866AndStayWindows1251InTheImage) {
  sim.reset();
  start({"--cp866"});
  utf8ToField("Станция Южная", image.field(5, 0).data(), 20);
  TableStateBlock block = flagged({5});
  ASSERT_TRUE(service.writeFlaggedTables(block)) << engine.ErrorText();
  EXPECT_EQ(fieldToUtf8(image.field(5, 0).data(), 20), "Станция Южная");
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Станция Южная");
  ASSERT_TRUE(service.readConfiguration());
  EXPECT_EQ(fieldToUtf8(image.field(5, 0).data(), 20), "Станция Южная") << "read back decoded";
}

TEST_F(TableServiceTest, ResetMovesEngineAndSettingsToAddress1At9600) {
  engine.address = 5;
  start({"--address", "5"});
  engine.baudRate = 38400;
  settings.direct.address = 5;

  frontend.answers = {false};
  EXPECT_FALSE(service.resetNonVolatileData());
  EXPECT_TRUE(requests().empty()) << "\"Нет\" sends nothing";

  engine.userCode[0] = '2';
  frontend.answers = {true};
  EXPECT_FALSE(service.resetNonVolatileData());
  ASSERT_EQ(frontend.messages.size(), 3u);
  EXPECT_EQ(frontend.messages[2].kind, 5);
  EXPECT_EQ(frontend.messages[2].line1, "Команда не может быть выполнена.");
  EXPECT_EQ(frontend.messages[2].line2,
            "Команда 25.  Пользователь не зарегистрирован или неправильный пароль");
  EXPECT_EQ(engine.address, 5);

  logIn();
  frontend.answers = {true};
  ASSERT_TRUE(service.resetNonVolatileData());
  ASSERT_EQ(frontend.messages.size(), 4u);
  EXPECT_EQ(frontend.messages[3].kind, 3);
  EXPECT_EQ(frontend.messages[3].line1, "Вы уверены, что хотите выполнить сброс");
  EXPECT_EQ(frontend.messages[3].line2, "всех энергонезависимых данных?");
  EXPECT_EQ(engine.address, 1);
  EXPECT_EQ(engine.baudRate, 9600);
  EXPECT_EQ(settings.direct.address, 1);
  EXPECT_EQ(settings.direct.speed, 9600);
  EXPECT_TRUE(service.readTableRange({0, 0, 18}));
  EXPECT_EQ(requests(), (Lines{"F=25", "F=25", "R 0 0 18"}));
}

TEST_F(TableServiceTest, ResetStoresTheNewLinkInTheSettingsOfTheLinkInUse) {
  start();
  settings.general.linkKind = kPhoneLink;
  settings.phone.params.address = 9;
  settings.phone.params.speed = 2400;
  frontend.answers = {true};
  ASSERT_TRUE(service.resetNonVolatileData());
  EXPECT_EQ(settings.phone.params.address, 1);
  EXPECT_EQ(settings.phone.params.speed, 9600);
  EXPECT_EQ(settings.direct, LinkParams{}) << "the direct line is not the link in use";
}

}  // namespace
}  // namespace zvc

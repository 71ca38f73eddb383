// The parameter sections written from the main menu, against a running zvc-sim: what goes on
// the line, in which order, and what the controller holds afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/common/calendar.h"
#include "core/common/text_codec.h"
#include "core/tables/chromatograph_link_section.h"
#include "core/tables/controller_clock.h"
#include "core/tables/names_section.h"
#include "core/tables/table_edit.h"
#include "core/tables/time_sync_section.h"
#include "core/tables/upper_link_section.h"
#include "sim_tables_fixture.h"

namespace zvc {
namespace {

using test::Lines;
using test::SimTablesTest;

class ParameterSectionsTest : public SimTablesTest {};

TEST_F(ParameterSectionsTest, ANewUpperLevelAddressIsWrittenTwiceAndTheLinkFollowsIt) {
  start();
  int refreshes = 0;
  service.refreshLinkStatus = [&] { ++refreshes; };
  TableEdit edit(service, {3, 0, 4});
  ASSERT_TRUE(edit.read());
  requests();
  edit.section()[0] = 7;
  ASSERT_TRUE(writeUpperLink(service, edit.oldCopy())) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 3 0 1", "W 3 0 1"}));
  EXPECT_EQ(engine.address, 7);
  EXPECT_EQ(settings.direct.address, 7);
  EXPECT_EQ(engine.baudRate, 9600) << "a direct line runs at the controller's rate";
  EXPECT_EQ(refreshes, 2);
  ASSERT_TRUE(service.readTableRange({3, 0, 4}));
  EXPECT_EQ(engine.response[1], 7) << "the controller answers at its new address";
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(ParameterSectionsTest, TheChromatographLinkLeavesTheClockSwitchesAsTheyWere) {
  start();
  image.field(14, 8)[0] = 1;
  image.field(14, 9)[0] = 1;
  ASSERT_TRUE(service.writeTableRange({14, 8, 2}));
  // What the connection step reads: the measured parameters, the flow computers' presence.
  ASSERT_TRUE(service.readTableRange({1, 0, 20}));
  ASSERT_TRUE(service.readTableRange({6, 0, 12}));
  requests();

  ChromatographLinkEdit edit(service);
  ASSERT_TRUE(edit.read());
  EXPECT_EQ(requests(), (Lines{"R 9 0 1", "R 18 0 2", "R 5 1 2", "R 14 0 16"}));
  EXPECT_EQ(edit.context().flowComputers->size(), 2u);
  EXPECT_EQ(edit.context().runNames[1], "Нитка 2");
  const ChromatographLinkSection section = edit.section();
  ChromatographLinkInput input = chromatographLinkInput(section.link, edit.context());
  input.address = "9";
  ASSERT_EQ(acceptChromatographLink(input, edit.context(), section.link), std::nullopt);
  ASSERT_TRUE(edit.writeLink());
  ASSERT_TRUE(edit.writeParameters());
  EXPECT_EQ(requests(), (Lines{"W 14 0 1"}));

  ASSERT_TRUE(service.readTableRange({14, 0, 16}));
  EXPECT_EQ(image.field(14, 0)[0], 9);
  EXPECT_EQ(image.field(14, 8)[0], 1);
  EXPECT_EQ(image.field(14, 9)[0], 1);
}

class SynchronisationTest : public SimTablesTest {
 protected:
  // Reads the switches, ticks both controller switches' first box and the chromatograph's,
  // then writes.
  bool editAndWrite() {
    TimeSyncEdit edit(service);
    EXPECT_TRUE(edit.read());
    EXPECT_EQ(requests(), (Lines{"R 6 10 2", "R 14 8 2"}));
    acceptTimeSync({{true, false}, {true, false}}, edit.section());
    return edit.write();
  }
};

TEST_F(SynchronisationTest, Table6IsWrittenFirst) {
  start();
  EXPECT_TRUE(editAndWrite());
  EXPECT_EQ(requests(), (Lines{"W 6 10 2", "W 14 8 1"}));
}

TEST_F(SynchronisationTest, AFailedTable6SkipsTable14) {
  start({"--fault", "4 error 12"});  // table 0 at the start, the two reads, then this write
  EXPECT_FALSE(editAndWrite());
  EXPECT_EQ(requests(), (Lines{"W 6 10 2"}));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].line1, "Не выполнена запись в таблицу 6.");
}

TEST_F(ParameterSectionsTest, TheComputerTimeIsWrittenAndACorrectionOverAnHourRefused) {
  start({"--time", "2021-03-28 01:59:00"});
  std::optional<ClockReading> reading = readControllerClock(service);
  ASSERT_TRUE(reading);
  EXPECT_EQ(requests(), (Lines{"R 7 0 14", "R 6 0 12", "R 2 0 8"}));
  EXPECT_EQ(DateTime6::fromBytes(reading->controller.data()).month, 3);
  EXPECT_EQ(reading->controller[6], 1) << "a Sunday";
  EXPECT_EQ(reading->controller[7], kWinterTime);
  EXPECT_TRUE(computerSyncAllowed(service));

  frontend.answers = {true};
  ASSERT_TRUE(writeComputerTime(service)) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 2 0 8"}));
  EXPECT_EQ(frontend.messages.back().line1, "В контроллер будет записано время ЭВМ.");
  reading = readControllerClock(service);
  ASSERT_TRUE(reading);
  const DateTime6 now = localNow();
  EXPECT_LE(std::abs(dayCountFromDateTime(DateTime6::fromBytes(reading->controller.data())) -
                     dayCountFromDateTime(now)) *
                86400,
            2.0);

  EXPECT_FALSE(sendClockCorrection(service, 3601));
  EXPECT_EQ(engine.response[4], 17) << "the controller's code for a correction over an hour";
  EXPECT_EQ(frontend.status[kResultPanel], "Команда 12.  Слишком большое время для коррекции");
  EXPECT_EQ(frontend.messageTimerStarts, 1);

  frontend.answers = {true};
  EXPECT_TRUE(correctControllerClock(service, *reading));
  EXPECT_EQ(frontend.messages.back().line1,
            "Вы уверены, что часы ЭВМ показывают правильное время?");
  EXPECT_EQ(frontend.status[kResultPanel], "Корректировка времени выполнена");
}

TEST_F(ParameterSectionsTest, ADestroyedClockTableMayBeRestoredFromTheComputer) {
  start({"--fault", "destroyed 2"});
  frontend.answers = {true, true};  // restore now? sure of the computer clock?
  EXPECT_FALSE(readControllerClock(service));
  EXPECT_EQ(requests(), (Lines{"R 7 0 14", "R 6 0 12", "W 2 0 8"}));
  EXPECT_EQ(frontend.messages[0].line1, "Таблица даты и времени разрушена.");
  EXPECT_EQ(frontend.messages[0].line2, "Воcстановить сейчас?");
}

TEST_F(ParameterSectionsTest, ADestroyedSystemTableLeavesNothingToShow) {
  start({"--fault", "destroyed 6"});
  EXPECT_FALSE(readControllerClock(service));
  EXPECT_EQ(requests(), (Lines{"R 7 0 14"}));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 4);
  EXPECT_EQ(frontend.messages[0].line1, "Разрушена таблица системных параметров.");
}

TEST_F(ParameterSectionsTest, OnlyChangedNamesTravelInCp866) {
  start({"--cp866"});
  ASSERT_TRUE(service.readNames());
  const std::vector<std::uint8_t> old(image.table(5).begin(), image.table(5).end());
  requests();
  NamesInput input = namesInput(namesSection(image));
  EXPECT_EQ(input[0], "Контроллер ЖВЦ_15");
  input[2] = "Обвод";
  ASSERT_EQ(acceptNames(input, namesSection(image)), std::nullopt);
  ASSERT_TRUE(service.writeChangedNames(old)) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 5 2 1"}));
  EXPECT_EQ(namesInput(namesSection(image))[2], "Обвод") << "the image keeps Windows-1251";
  EXPECT_EQ(frontend.status[kControllerNamePanel], "Контроллер ЖВЦ_15");
  ASSERT_TRUE(service.readNames(2, 1));
  EXPECT_EQ(namesInput(namesSection(image))[2], "Обвод");
}

}  // namespace
}  // namespace zvc

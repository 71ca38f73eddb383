// Changing one user and the live views' polls against a running zvc-sim.

#include <gtest/gtest.h>

#include "core/tables/config_image.h"
#include "core/tables/controller_state.h"
#include "core/tables/momentary_data.h"
#include "core/tables/users_table.h"
#include "sim_tables_fixture.h"

namespace zvc {
namespace {

using test::Lines;
using test::SimTablesTest;

class UsersAndMomentaryTest : public SimTablesTest {};

TEST_F(UsersAndMomentaryTest, ChangingOneUserWritesItsSlotAlone) {
  start();
  const UserChangeDialog addOperator = [](UsersTableBytes table) -> std::optional<int> {
    const UserChangeInput input{3, "OPR", 4, {"pass", "pass", "42", "42"}};
    if (applyUserChange(input, table)) return std::nullopt;
    return 3;
  };
  ASSERT_TRUE(changeOneUser(service, addOperator)) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"R 7 0 47", "R 4 0 11", "R 4 11 5", "W 4 3 1"}));
  image = ConfigImage{};
  ASSERT_TRUE(service.readTableRange({4, 0, 11}));
  EXPECT_EQ(userName(userRecord(usersTable(service), 3)), "OPR");
  EXPECT_EQ(userRecord(usersTable(service), 3).level, 4);
}

TEST_F(UsersAndMomentaryTest, ADestroyedUsersTableRefusesTheChange) {
  start({"--fault", "destroyed 4"});
  bool asked = false;
  EXPECT_FALSE(changeOneUser(service, [&](UsersTableBytes) -> std::optional<int> {
    asked = true;
    return 0;
  }));
  EXPECT_FALSE(asked);
  EXPECT_EQ(requests(), (Lines{"R 7 0 47"}));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 4);
  EXPECT_EQ(frontend.messages[0].line1, "Таблица доступа пользователей");
}

TEST_F(UsersAndMomentaryTest, PollsReadBothRunsTheMoistureMeterAndTheStateSilently) {
  start();
  ASSERT_TRUE(instrumentLinkPresent(service, Instrument::kChromatograph));
  ASSERT_TRUE(instrumentLinkPresent(service, Instrument::kMoistureMeter));
  ASSERT_TRUE(pollMomentary(service, 0));
  ASSERT_TRUE(pollMomentary(service, 1));
  ASSERT_TRUE(pollMoisture(service));
  ASSERT_TRUE(pollControllerState(service));
  EXPECT_EQ(requests(), (Lines{"R 33 0 1", "R 33 1 1", "R 30 0 22", "R 32 0 20", "R 38 0 22",
                               "R 39 0 20", "R 37 0 7", "R 16 0 18", "R 33 0 2"}));
  EXPECT_NE(image.table(30)[1], 0) << "the momentary data carry a month";
  EXPECT_EQ(controllerStateLines(image)[7].value, "Норма");
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(UsersAndMomentaryTest, FlowComputerStateReadsItsFourTables) {
  start();
  ASSERT_TRUE(readFlowComputerState(service));
  EXPECT_EQ(requests(), (Lines{"R 9 0 1", "R 18 0 2", "R 34 0 2", "R 35 0 2"}));
  const auto rows = flowComputerStateRows(image);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].address, "2");
  EXPECT_EQ(rows[1].link.value, "Есть");
  EXPECT_EQ(rows[1].writing.value, "Записываются");
}

}  // namespace
}  // namespace zvc

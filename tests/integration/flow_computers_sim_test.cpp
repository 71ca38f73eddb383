// The flow computers and the constants written from the main menu, against a running zvc-sim:
// the order of the writes and where a failure stops them.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/tables/flow_computers_section.h"
#include "core/tables/gas_parameter_sections.h"
#include "sim_tables_fixture.h"

namespace zvc {
namespace {

using test::Lines;
using test::SimTablesTest;

class FlowComputersSimTest : public SimTablesTest {
 protected:
  // Reads the two flow computers of the simulator into a list (requests 2..6).
  FlowComputerList readList(FlowComputersEdit& edit) {
    EXPECT_TRUE(edit.read());
    EXPECT_EQ(requests(), (Lines{"R 9 0 1", "R 17 0 2", "R 18 0 2", "R 19 0 2", "R 20 0 2"}));
    return FlowComputerList(edit.records());
  }

  // Type of the first, address of the second, byte order of the second, first password.
  void editBoth(FlowComputerList& list) {
    FlowComputerRecord first = list.record(0);
    FlowComputerRecord second = list.record(1);
    first[1] = 3;
    std::memcpy(first.data() + kPasswordOffset, "pass", 4);
    second[0] = 40;
    second[3] = 0;
    list.replace(0, first, false, true);
    list.replace(1, second, false, false);
  }
};

TEST_F(FlowComputersSimTest, TablesAreWrittenInOrderThenTheChangedPasswords) {
  start();
  FlowComputersEdit edit(service);
  FlowComputerList list = readList(edit);
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.record(1)[kPasswordOffset], ' ') << "passwords are never read";
  editBoth(list);
  edit.store(list);
  ASSERT_TRUE(edit.write()) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 17 0 1", "W 18 1 1", "W 20 1 1", "W 13 0 1"}));
  ASSERT_TRUE(service.readTableRange({18, 0, 2}));
  EXPECT_EQ(image.field(18, 1)[0], 40);
}

TEST_F(FlowComputersSimTest, TheFirstFailedWriteStopsTheRest) {
  start({"--fault", "8 error 9"});  // request 8 is the second write
  FlowComputersEdit edit(service);
  FlowComputerList list = readList(edit);
  editBoth(list);
  edit.store(list);
  EXPECT_FALSE(edit.write());
  EXPECT_EQ(requests(), (Lines{"W 17 0 1", "W 18 1 1"}));
}

TEST_F(FlowComputersSimTest, AFallingCountIsWrittenFirstAndMovedPasswordsFollow) {
  start();
  FlowComputersEdit edit(service);
  FlowComputerList list = readList(edit);
  list.remove(0);
  edit.store(list);
  EXPECT_TRUE(edit.countChanged());
  ASSERT_TRUE(edit.write()) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 9 0 1", "W 18 0 1", "W 13 0 1"}));
}

TEST_F(FlowComputersSimTest, ARisingCountReadsAndWritesTheNewEntries) {
  start();
  TableEdit link(service, {9, 0, 6});
  ASSERT_TRUE(link.read());
  link.section()[0] = 3;
  FlowComputersEdit edit(service);
  ASSERT_TRUE(edit.readRecords(3));
  requests();
  FlowComputerList list(edit.records());
  ASSERT_EQ(list.count(), 3);
  FlowComputerRecord third = list.record(2);
  third[0] = 33;
  list.replace(2, third, false, false);
  edit.store(list);
  ASSERT_TRUE(link.writeChanges() && edit.writeRecords()) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 9 0 1", "W 18 2 1"}));
}

TEST_F(FlowComputersSimTest, AnEntryAddedInTheListIsWrittenWhole) {
  start();
  FlowComputersEdit edit(service);
  FlowComputerList list = readList(edit);
  FlowComputerRecord added = newFlowComputer();
  added[0] = 3;  // what the controller happens to hold beyond its count
  list.add(added, false);
  edit.store(list);
  ASSERT_TRUE(edit.write()) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 9 0 1", "W 17 2 1", "W 18 2 1", "W 19 2 1", "W 20 2 1",
                               "W 13 2 1"}));
}

class ConstantsSimTest : public SimTablesTest {
 protected:
  // Table 14 tells how many parameters there are; then the constants of run 1 (requests 2..4).
  void readAndEdit(ConstantsEdit& edit) {
    ASSERT_TRUE(service.readTableRange({14, 0, 16}));
    ASSERT_TRUE(edit.read());
    const int count = measuredParameters(service).count;
    EXPECT_EQ(requests(), (Lines{"R 14 0 16", "R 43 0 " + std::to_string(count),
                                 "R 44 0 " + std::to_string(count)}));
    std::vector<ConstantRow> input = constantInput(measuredParameters(service), edit.section());
    input[0] = {"1.5", true};
    ASSERT_EQ(acceptConstants(measuredParameters(service), input, edit.section()), std::nullopt);
  }
};

TEST_F(ConstantsSimTest, ConstantsAreWrittenBeforeTheirFlags) {
  start();
  ConstantsEdit edit(service, 0);
  readAndEdit(edit);
  ASSERT_TRUE(edit.write()) << engine.ErrorText();
  EXPECT_EQ(requests(), (Lines{"W 44 0 1", "W 43 0 1"}));
}

TEST_F(ConstantsSimTest, FlagsStayUnwrittenWhenTheConstantsFail) {
  start({"--fault", "5 error 9"});  // request 5 writes the constants
  ConstantsEdit edit(service, 0);
  readAndEdit(edit);
  EXPECT_FALSE(edit.write());
  EXPECT_EQ(requests(), (Lines{"W 44 0 1"}));
}

}  // namespace
}  // namespace zvc

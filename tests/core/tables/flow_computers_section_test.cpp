#include "core/tables/flow_computers_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zvc {
namespace {

const InputError kMissing{"Введены не все параметры", ""};
constexpr std::uint8_t kBothRuns = 3;
constexpr std::uint8_t kRun1Only = 1;

FlowComputerRecord computer(std::uint8_t address, std::uint8_t type = 0, std::uint8_t mask = 1,
                            std::uint8_t order = 0, std::string_view password = "") {
  FlowComputerRecord record{address, type, mask, order};
  std::fill(record.begin() + kPasswordOffset, record.end(), ' ');
  std::ranges::copy(password, record.begin() + kPasswordOffset);
  return record;
}

std::string passwordOf(const FlowComputerRecord& record) {
  return {record.begin() + kPasswordOffset, record.end()};
}

TEST(FlowComputerList, AnEmptyListStartsWithOneBlankEntryAndTheButtonsFollowTheCount) {
  FlowComputerList list({});
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.record(0), computer(0, 0, 0));
  EXPECT_FALSE(list.canRemove());
  EXPECT_TRUE(list.canAdd());
  for (std::uint8_t address = 2; address <= 16; ++address) list.add(computer(address), false);
  EXPECT_EQ(list.count(), 16);
  EXPECT_FALSE(list.canAdd());
  EXPECT_TRUE(list.passwordChanged(15)) << "a new entry's password is written";
  EXPECT_FALSE(list.passwordChanged(0));
}

TEST(FlowComputerList, DeletingEntryTwoOfFourMarksThePlacesThatReceivedMovedEntries) {
  const std::vector<FlowComputerRecord> records = {computer(1, 0, 1, 0, "a"), computer(2),
                                                   computer(3, 0, 1, 0, "c"),
                                                   computer(4, 0, 1, 0, "d")};
  FlowComputerList list(records);
  list.replace(3, records[3], true, false);
  list.remove(1);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.record(1), records[2]);
  EXPECT_EQ(list.record(2), records[3]);
  EXPECT_TRUE(list.sou(2)) << "the SOU form moves with its entry";
  EXPECT_EQ((std::vector<bool>{list.passwordChanged(0), list.passwordChanged(1),
                               list.passwordChanged(2)}),
            (std::vector<bool>{false, true, true}));
  EXPECT_EQ(flowComputerRemoveQuestion(records[2]),
            (InputError{"Вы действительно хотите удалить", "вычислитель адр. 3?"}));
}

TEST(FlowComputerList, ConfirmRefusesBadEntriesAndRepeatedAddresses) {
  const struct {
    std::vector<FlowComputerRecord> records;
    std::optional<InputError> error;
  } cases[] = {
      {{computer(1), computer(2)}, std::nullopt},
      {{computer(1), computer(0)}, InputError{"Вычислитель № 2", "Неверно заданы параметры"}},
      {{computer(255)}, InputError{"Вычислитель № 1", "Неверно заданы параметры"}},
      {{computer(1, 4)}, InputError{"Вычислитель № 1", "Неверно заданы параметры"}},
      {{computer(1, 0, 1, 2)}, InputError{"Вычислитель № 1", "Неверно заданы параметры"}},
      {{computer(7), computer(3), computer(7)}, InputError{"Повтор адреса 7", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FlowComputerList(c.records).check(), c.error) << int(c.records.back()[0]);
  }
}

TEST(FlowComputerList, RowsShowTheGridTextsAndTheMaskWithSixBlanks) {
  EXPECT_EQ(flowComputerRow(computer(12, 1, 0xA3, 1)),
            (std::array<std::string, 4>{"   12", " ФЛОУКОР, ПМ-3В", " Мл. адрес -- мл. байт",
                                        "      0xA3"}));
  const auto unknown = flowComputerRow(computer(1, 4, 0, 2));
  EXPECT_EQ(unknown[1], " ?");
  EXPECT_EQ(unknown[2], " ?");
}

TEST(FlowComputerList, CommandLineLinesNeverShowPasswords) {
  const std::vector<FlowComputerRecord> records = {computer(5, 2, 0x11, 0, "topsecret")};
  for (const ParameterLine& line : flowComputerLines(records)) {
    EXPECT_EQ(line.value.find("topsecret"), std::string::npos);
    EXPECT_EQ(line.label, "Вычислитель № 1");
  }
}

TEST(FlowComputerDialog, ATypeOneComputerFeedsPipelineOneOnly) {
  EXPECT_EQ(pipelineCount(1), 1);
  EXPECT_EQ(pipelineCount(0), 3);
  EXPECT_EQ(pipelineCount(std::nullopt), 0);
  FlowComputerRecord record = computer(9, 1, 0x77);
  const FlowComputerInput input = flowComputerInput(record, false, kBothRuns);
  EXPECT_EQ(input.pipelines, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(input.runs[0], 1);
  bool changed = true;
  ASSERT_EQ(acceptFlowComputer(input, kBothRuns, record, changed), std::nullopt);
  EXPECT_EQ(record[2], 0x11) << "pipelines 2 and 3 are not written for a type-1 computer";
  EXPECT_FALSE(changed);
}

TEST(FlowComputerDialog, WithOnlyRunOneInUseTheMaskNeverTakesRunTwo) {
  EXPECT_TRUE(runSelectable(0, kRun1Only));
  EXPECT_FALSE(runSelectable(1, kRun1Only));
  FlowComputerRecord record = computer(9, 0, 0x73);
  FlowComputerInput input = flowComputerInput(record, false, kRun1Only);
  EXPECT_EQ(input.runs[0], std::nullopt) << "run 2 is not in use: no choice is shown";
  bool changed = false;
  EXPECT_EQ(acceptFlowComputer(input, kRun1Only, record, changed), kMissing);
  input.runs[0] = 1;
  input.runs[1] = 1;
  EXPECT_EQ(acceptFlowComputer(input, kRun1Only, record, changed), kMissing);
  input.runs = {0, 0, std::nullopt};
  ASSERT_EQ(acceptFlowComputer(input, kRun1Only, record, changed), std::nullopt);
  EXPECT_EQ(record[2], 0x03);
  EXPECT_EQ(record[2] & 0x70, 0);
}

TEST(FlowComputerDialog, AddressTypeAndOrderAreChecked) {
  const FlowComputerRecord stored = computer(9, 0, 0x01);
  const struct {
    void (*edit)(FlowComputerInput&);
    std::optional<InputError> error;
  } cases[] = {
      {[](FlowComputerInput& in) { in.address = ""; }, kMissing},
      {[](FlowComputerInput& in) { in.type.reset(); }, kMissing},
      {[](FlowComputerInput& in) { in.byteOrder.reset(); }, kMissing},
      {[](FlowComputerInput& in) { in.address = "0"; },
       InputError{"Адрес вне допускаемого диапазона", ""}},
      {[](FlowComputerInput& in) { in.address = "255"; },
       InputError{"Адрес вне допускаемого диапазона", ""}},
      {[](FlowComputerInput& in) { in.address = "99999999999999999999"; },
       InputError{"Адрес вне допускаемого диапазона", ""}},
      {[](FlowComputerInput& in) { in.address = "254"; }, std::nullopt},
  };
  for (const auto& c : cases) {
    FlowComputerInput input = flowComputerInput(stored, false, kBothRuns);
    c.edit(input);
    FlowComputerRecord record = stored;
    bool changed = false;
    EXPECT_EQ(acceptFlowComputer(input, kBothRuns, record, changed), c.error) << input.address;
    if (c.error) {
      EXPECT_EQ(record, stored) << "a refusal stores nothing";
    }
  }
}

TEST(FlowComputerDialog, PasswordsAreBlankPaddedAndAnUntouchedOneKeepsItsBytes) {
  FlowComputerRecord record = computer(3);
  record[10] = 0;  // what a configuration file may carry
  const FlowComputerRecord stored = record;
  FlowComputerInput input = flowComputerInput(record, false, kBothRuns);
  bool changed = true;
  ASSERT_EQ(acceptFlowComputer(input, kBothRuns, record, changed), std::nullopt);
  EXPECT_EQ(record, stored);
  EXPECT_FALSE(changed);

  input.password = "secret";
  ASSERT_EQ(acceptFlowComputer(input, kBothRuns, record, changed), std::nullopt);
  EXPECT_EQ(passwordOf(record), "secret          ");
  EXPECT_TRUE(changed);

  input = flowComputerInput(record, true, kBothRuns);
  EXPECT_EQ(input.password, "secret");
  EXPECT_EQ(input.code, "");
  input.password = "pw";
  input.code = "12";
  ASSERT_EQ(acceptFlowComputer(input, kBothRuns, record, changed), std::nullopt);
  EXPECT_EQ(passwordOf(record), "pw          12  ");
  EXPECT_TRUE(changed);
}

}  // namespace
}  // namespace zvc

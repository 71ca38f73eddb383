#include "core/tables/measured_parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "core/common/text_codec.h"

namespace zvc {
namespace {

using Record = std::array<std::uint8_t, kParameterRecordBytes>;
const InputError kMissing{"Введены не все параметры", ""};
const InputError kBadRange{"Неверно задан диапазон измерений", ""};

void putFloat(std::uint8_t* at, float value) {
  std::memcpy(at, &value, sizeof value);
}

Record parameter(std::string_view name, float minimum, float maximum, std::uint8_t decimals = 2) {
  Record record{};
  utf8ToField(name, record.data(), 40);
  std::memcpy(record.data() + 40, "CH4", 3);
  record[50] = 1;
  putFloat(record.data() + 51, minimum);
  putFloat(record.data() + 55, maximum);
  record[59] = 0x39;  // register 12345
  record[60] = 0x30;
  record[61] = decimals;
  record[62] = 0;
  return record;
}

std::array<std::uint8_t, kParameterListBytes> blockOf(int count) {
  std::array<std::uint8_t, kParameterListBytes> block{};
  for (int i = 0; i < count; ++i) {
    const Record record = parameter(std::string("P") + std::to_string(i + 1), 0, 100);
    std::ranges::copy(record, block.begin() + 1 + i * kParameterRecordBytes);
  }
  block[0] = static_cast<std::uint8_t>(count);
  return block;
}

TEST(ParameterList, RowsShowTheRecordWithItsDecimals) {
  const Record record = parameter("Метан", 0, 100, 3);
  const auto row = parameterRow(record, 0);
  EXPECT_EQ(row[0], "  1");
  EXPECT_EQ(row[1], " Метан");
  EXPECT_EQ(row[2], " CH4");
  EXPECT_EQ(row[4], " 12345");
  EXPECT_EQ(row[5], " 0.000");
  EXPECT_EQ(row[6], " 100.000");
}

TEST(ParameterList, TwentyParametersAllowNoAdditionAndOneNoDeletion) {
  EXPECT_FALSE(canAddParameter(blockOf(20)));
  EXPECT_TRUE(canAddParameter(blockOf(19)));
  EXPECT_FALSE(canRemoveParameter(blockOf(1)));
  EXPECT_TRUE(canRemoveParameter(blockOf(2)));
  auto block = blockOf(20);
  const auto before = block;
  appendParameter(block, parameter("X", 0, 1));
  EXPECT_EQ(block, before);
}

TEST(ParameterList, DeletingMovesLaterRecordsUpAndClearsTheLastOne) {
  auto block = blockOf(4);
  removeParameter(block, 1);
  EXPECT_EQ(block[0], 3);
  const auto name = [&](int i) {
    return parameterName(parameterRecord(std::span<const std::uint8_t, kParameterBytes>(
                                             block.data() + 1, kParameterBytes),
                                         i));
  };
  EXPECT_EQ(name(0), "P1");
  EXPECT_EQ(name(1), "P3");
  EXPECT_EQ(name(2), "P4");
  EXPECT_TRUE(std::all_of(block.begin() + 1 + 3 * 64, block.begin() + 1 + 4 * 64,
                          [](std::uint8_t b) { return b == 0; }));
  appendParameter(block, parameter("New", 0, 1));
  EXPECT_EQ(block[0], 4);
  EXPECT_EQ(name(3), "New");
}

TEST(ParameterDialog, ChecksEveryFieldAndTheRange) {
  const Record stored = parameter("Метан", 0, 100);
  const struct {
    void (*edit)(ParameterInput&);
    std::optional<InputError> error;
  } cases[] = {
      {[](ParameterInput&) {}, std::nullopt},
      {[](ParameterInput& in) { in.name.clear(); }, kMissing},
      {[](ParameterInput& in) { in.designation.clear(); }, kMissing},
      {[](ParameterInput& in) { in.unit.reset(); }, kMissing},
      {[](ParameterInput& in) { in.type.reset(); }, kMissing},
      {[](ParameterInput& in) { in.minimum.clear(); }, kMissing},
      {[](ParameterInput& in) { in.registerAddress.clear(); }, kMissing},
      {[](ParameterInput& in) { in.registerAddress = "65535"; }, std::nullopt},
      {[](ParameterInput& in) { in.registerAddress = "65536"; },
       InputError{"Адрес регистра Modbus", "в диапазоне 0...65535"}},
      {[](ParameterInput& in) {
         in.minimum = "10";
         in.maximum = "10";
       },
       kBadRange},
      {[](ParameterInput& in) { in.minimum = "200"; }, kBadRange},
      {[](ParameterInput& in) { in.maximum = "abc"; }, kBadRange},
  };
  for (const auto& c : cases) {
    ParameterInput input = parameterInput(stored);
    c.edit(input);
    Record record = stored;
    EXPECT_EQ(acceptParameter(input, record), c.error) << input.minimum << " " << input.maximum;
    if (c.error) {
      EXPECT_EQ(record, stored);
    }
  }
}

TEST(ParameterDialog, StoresTheFieldsAndKeepsUntouchedRangeBitsExactly) {
  Record record = parameter("Метан", 0.123456f, 100, 2);
  const Record stored = record;
  ParameterInput input = parameterInput(record);
  EXPECT_EQ(input.minimum, "0.12");
  ASSERT_EQ(acceptParameter(input, record), std::nullopt);
  EXPECT_EQ(record, stored) << "0.12 shown, 0.123456 kept";
  input.decimals = 3;
  input.minimum = redrawRangeValue(input.minimum, record.data() + 51, 2, 3);
  EXPECT_EQ(input.minimum, "0.123");
  ASSERT_EQ(acceptParameter(input, record), std::nullopt);
  EXPECT_EQ(parameterMinimum(record), 0.123456f) << "new decimals, still untouched";

  input.name = "Очень длинное наименование параметра";
  input.designation = "обозначение длинное";
  input.registerAddress = "513";
  input.decimals = 4;
  input.type = 5;
  input.minimum = "-1.5";
  ASSERT_EQ(acceptParameter(input, record), std::nullopt);
  EXPECT_EQ(parameterName(record), "Очень длинное наименовани");
  EXPECT_EQ(record[40 + 9], static_cast<std::uint8_t>(0xE8)) << "10 characters of designation";
  EXPECT_EQ(record[59], 1);
  EXPECT_EQ(record[60], 2);
  EXPECT_EQ(record[61], 4);
  EXPECT_EQ(record[62], 5);
  EXPECT_EQ(parameterMinimum(record), -1.5);
}

TEST(ParameterDialog, DecimalsAboveSevenShowAsSevenAndTheRangeIsRedrawn) {
  const Record record = parameter("X", 1.25f, 2, 9);
  EXPECT_EQ(parameterInput(record).decimals, 7);
  EXPECT_EQ(redrawRangeValue("1.2500000", record.data() + 51, 7, 1), "1.2");
  EXPECT_EQ(redrawRangeValue("3.14159", record.data() + 51, 7, 2), "3.14");
  EXPECT_EQ(redrawRangeValue("", record.data() + 51, 7, 2), "0.00");
}

}  // namespace
}  // namespace zvc

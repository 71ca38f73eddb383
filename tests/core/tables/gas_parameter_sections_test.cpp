#include "core/tables/gas_parameter_sections.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/text_codec.h"

namespace zvc {
namespace {

const InputError kMissing{"Введены не все параметры", ""};

void putFloat(std::uint8_t* at, float value) {
  std::memcpy(at, &value, sizeof value);
}

float floatAt(const std::uint8_t* at) {
  float value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// Two parameters: "Метан" 0..100 with 2 decimals, "Плотность" 0.5..1 with 4.
struct Parameters {
  Parameters() {
    utf8ToField("Метан", table.data(), 40);
    putFloat(table.data() + 55, 100);
    table[61] = 2;
    utf8ToField("Плотность", table.data() + 64, 40);
    putFloat(table.data() + 64 + 51, 0.5f);
    putFloat(table.data() + 64 + 55, 1);
    table[64 + 61] = 4;
  }
  MeasuredParameters view() const { return {2, table}; }
  std::array<std::uint8_t, kParameterBytes> table{};
};

TEST(Limits, TheRangeIsCheckedWithATolerance) {
  const Parameters parameters;
  std::array<std::uint8_t, kLimitBytes> values{};
  putFloat(values.data() + 4, 0.75f);
  std::vector<std::string> input = limitInput(parameters.view(), values);
  EXPECT_EQ(input, (std::vector<std::string>{"0.00", "0.7500"}));
  const InputError outside{"Параметр \" Метан \".", "Вводите значения согласно допустимому диапазону"};
  const struct {
    std::string text;
    std::optional<InputError> error;
  } cases[] = {
      {"100.000005", std::nullopt}, {"100.0001", outside}, {"-0.000005", std::nullopt},
      {"-0.0001", outside},         {"1e9", outside},      {"abc", outside},
      {"", kMissing},
  };
  for (const auto& c : cases) {
    auto edited = values;
    input[0] = c.text;
    EXPECT_EQ(acceptLimits(parameters.view(), input, edited), c.error) << c.text;
    if (c.error) {
      EXPECT_EQ(edited, values) << c.text;
    }
  }
  EXPECT_EQ(parameterRangeText(parameters.view(), 1), " 0.5000 - 1.0000");
  EXPECT_EQ(std::string(kLimitCaptions[3]),
            "Нижний предел знач. парам. газа, допускаемого к записи в ВРГ");
  EXPECT_EQ(limitTable(4), 26);
}

TEST(Limits, UntouchedValuesKeepTheirBitsAndTypedOnesAreStored) {
  const Parameters parameters;
  std::array<std::uint8_t, kLimitBytes> values{};
  putFloat(values.data(), 12.3456f);
  putFloat(values.data() + 4, 0.75f);
  const auto stored = values;
  std::vector<std::string> input = limitInput(parameters.view(), values);
  EXPECT_EQ(input[0], "12.35");
  ASSERT_EQ(acceptLimits(parameters.view(), input, values), std::nullopt);
  EXPECT_EQ(values, stored);
  input[1] = "0.9";
  EXPECT_EQ(reformatLimit(parameters.view(), 1, input[1], values), "0.9000");
  ASSERT_EQ(acceptLimits(parameters.view(), input, values), std::nullopt);
  EXPECT_EQ(floatAt(values.data() + 4), 0.9f);
  EXPECT_EQ(floatAt(values.data()), 12.3456f);
}

TEST(WriteNeed, EveryRowNeedsAChoice) {
  const Parameters parameters;
  std::array<std::uint8_t, kWriteNeedBytes> section{};
  section[1] = 7;
  std::vector<std::optional<int>> input = writeNeedInput(parameters.view(), section);
  EXPECT_EQ(input, (std::vector<std::optional<int>>{0, std::nullopt}));
  EXPECT_EQ(acceptWriteNeed(parameters.view(), input, section), kMissing);
  input[1] = 1;
  ASSERT_EQ(acceptWriteNeed(parameters.view(), input, section), std::nullopt);
  EXPECT_EQ(section[1], 1);
}

TEST(Period, AStoredValueOutsideTheListShowsNoChoice) {
  std::array<std::uint8_t, kPeriodBytes> section = {5, 9};
  EXPECT_EQ(periodInput(section), std::nullopt);
  EXPECT_EQ(acceptPeriod(std::nullopt, section), (InputError{"Не введен период", ""}));
  EXPECT_EQ(section, (std::array<std::uint8_t, kPeriodBytes>{5, 9}));
  ASSERT_EQ(acceptPeriod(4, section), std::nullopt);
  EXPECT_EQ(section, (std::array<std::uint8_t, kPeriodBytes>{6, 0}));
  EXPECT_EQ(periodInput(section), 4);
  EXPECT_EQ(periodTexts().back(), " 24");
  section[0] = 24;
  EXPECT_EQ(periodLines(section)[0].value, "24 ч");
}

TEST(Constants, ShownByDisplayRuleAAndCheckedRowByRow) {
  const Parameters parameters;
  std::array<std::uint8_t, kConstantBytes> section{};
  putFloat(section.data() + 20, 12345.6f);
  putFloat(section.data() + 24, 0.5f);
  section[1] = 1;
  std::vector<ConstantRow> input = constantInput(parameters.view(), section);
  EXPECT_EQ(input, (std::vector<ConstantRow>{{"12346", false}, {"0.5000", true}}));
  ASSERT_EQ(acceptConstants(parameters.view(), input, section), std::nullopt);
  EXPECT_EQ(floatAt(section.data() + 20), 12345.6f) << "an untouched constant keeps its bits";

  const auto stored = section;
  input[0] = {"", true};
  EXPECT_EQ(acceptConstants(parameters.view(), input, section),
            (InputError{"Метан", "Не введено значение константы."}));
  input[0] = {"x1", false};
  EXPECT_EQ(acceptConstants(parameters.view(), input, section),
            (InputError{"Метан", "Значение константы не является числом."}));
  EXPECT_EQ(section, stored) << "a refusal stores nothing";

  input[0] = {"", false};
  input[1] = {"0.75", false};
  ASSERT_EQ(acceptConstants(parameters.view(), input, section), std::nullopt);
  EXPECT_EQ(floatAt(section.data() + 20), 12345.6f) << "an empty unticked row keeps the constant";
  EXPECT_EQ(floatAt(section.data() + 24), 0.75f);
  EXPECT_EQ(section[1], 0);
}

}  // namespace
}  // namespace zvc

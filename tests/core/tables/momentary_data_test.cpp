#include "core/tables/momentary_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_state.h"

namespace zvc {
namespace {

void putFloat(std::span<std::uint8_t> table, int at, float value) {
  std::memcpy(table.data() + at, &value, 4);
}

// Run 1 with N = 15 parameters "P<k>" in "%" (units list B code 1) and two decimals.
ConfigImage runImage() {
  ConfigImage image;
  image.field(14, 14)[0] = 15;
  for (int k = 0; k < 20; ++k) {
    auto record = image.field(1, k);
    utf8ToField("P" + std::to_string(k + 1), record.data(), 40);
    record[50] = 1;
    record[61] = 2;
    putFloat(image.table(30), 8 + 4 * k, 10.0f + k);
  }
  const std::uint8_t header[] = {26, 12, 11, 0, 9, 5, 7, 0};
  std::memcpy(image.table(30).data(), header, 8);
  utf8ToField("Нитка 1", image.field(5, 1).data(), 20);
  return image;
}

TEST(MomentaryData, FifteenParametersGreyTheLastFiveRowsAndIgnoreTheirValues) {
  ConfigImage image = runImage();
  image.table(32)[0] = 1;
  image.table(32)[1] = 4;
  image.table(32)[2] = 7;
  const auto lines = momentaryLines(image, 0, true);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_TRUE(lines[0].label.starts_with(" P1, "));
  EXPECT_EQ(lines[0].value, "10.00");
  EXPECT_EQ(lines[2 * 14].value, "24.00");
  for (int k = 15; k < 20; ++k) {
    EXPECT_FALSE(lines[2 * k].enabled);
    EXPECT_EQ(lines[2 * k].value, "");
    EXPECT_EQ(lines[2 * k + 1].value, "");
  }
  EXPECT_EQ(lines[1], (DataLine{"", " Нижняя предупредительная зона", DataColour::kDarkRed, true}));
  EXPECT_EQ(lines[3], (DataLine{"", " Верхняя аварийная зона", DataColour::kRed, true}));
  EXPECT_EQ(lines[5], (DataLine{"", "?", DataColour::kGreen, true})) << "an unknown zone";
  EXPECT_EQ(momentaryDateTime(image.table(30)), "11.12.26 09:05:07");
}

TEST(MomentaryData, AValueThatCannotBeShownIsAQuestionMark) {
  ConfigImage image = runImage();
  putFloat(image.table(30), 8, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(momentaryValue(image, 0, 0), "?");
}

TEST(MomentaryData, TitleNamesSerialAndRun) {
  ConfigImage image = runImage();
  image.field(41, 0)[0] = 0x39;
  image.field(41, 0)[1] = 0x30;
  EXPECT_EQ(momentaryViewTitle(image, 0),
            "Мгновенные данные хроматографа (сер. № 12345; нитка \"Нитка 1\"), зоны параметров газа");
}

TEST(MoistureData, ValuesByRuleBAndTheTopocRows) {
  ConfigImage image;
  const float values[] = {0.0f, 0.00042f, 1234.5f, std::numeric_limits<float>::quiet_NaN(), -12.5f};
  for (int k = 0; k < 5; ++k) putFloat(image.table(37), 8 + 4 * k, values[k]);
  auto lines = moistureLines(image);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].value, "  0");
  EXPECT_EQ(lines[1].value, "  0.00042");
  EXPECT_EQ(lines[2].value, "  1234");
  EXPECT_EQ(lines[3].value, "  NAN");
  EXPECT_EQ(lines[4].value, "  -12.50");
  image.field(15, 6)[0] = 2;
  lines = moistureLines(image);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2].label, " PV23 – Давление газа,  bar");
}

TEST(ControllerState, TextsColoursAndByteOrder) {
  ConfigImage image;
  const std::uint8_t summary[18] = {26, 12, 11, 23, 4, 5, 1, 3, 0, 0, 0, 1, 0x12, 0x34, 0, 0, 0xAB, 0xCD};
  std::memcpy(image.table(16).data(), summary, 18);
  image.table(33)[0] = 1;
  image.field(6, 9)[0] = 1;
  normaliseAbnormalSummary(image);  // table 0 field 10 is 0: the controller's order is swapped
  EXPECT_EQ(image.table(16)[12], 0x34);
  EXPECT_EQ(image.table(16)[17], 0xAB);
  const auto lines = controllerStateLines(image);
  EXPECT_EQ(lines[0].value, "11.12.26  23:04:05");
  EXPECT_EQ(lines[1], (DataLine{"Обмен с вычислителями РГ", "Есть", DataColour::kRed, true}));
  EXPECT_EQ(lines[2].value, "Код ошибки 3");
  EXPECT_EQ(lines[3].value, "Нет");
  EXPECT_EQ(lines[4], (DataLine{"Нештатные значения параметров нитки 2", "Есть", DataColour::kRed, true}));
  EXPECT_FALSE(lines[5].enabled) << "no moisture meter";
  EXPECT_EQ(lines[7].value, "Норма");
  EXPECT_EQ(lines[8].value, "Связи нет");

  image.field(0, 10)[0] = 1;
  normaliseAbnormalSummary(image);
  EXPECT_EQ(image.table(16)[12], 0x34) << "little-endian controllers keep their order";
}

}  // namespace
}  // namespace zvc

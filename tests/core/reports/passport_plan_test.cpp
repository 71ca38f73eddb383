// The passport's parameter descriptors, column plan, unit conversions and date dialog checks.
#include "core/reports/passport_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/reports/report_date_dialog.h"

namespace zvc {
namespace {

ReportParameter parameter(int kind, std::uint16_t kindValue = 0) {
  ReportParameter p;
  p.kind = kind;
  p.kindValue = kindValue;
  return p;
}

TEST(PassportPlan, DescriptorsComeFromTableOneUpToTheMeasuredCount) {
  ConfigImage image;
  image.field(14, 14)[0] = 2;
  const char* name = "Metan + long name over 25 bytes";
  auto first = image.field(1, 0);
  std::memcpy(first.data(), name, std::strlen(name));
  first[50] = 5;
  first[59] = 0x34;
  first[60] = 0x12;
  first[61] = 3;
  first[62] = 4;
  image.field(1, 2)[62] = 2;  // beyond the count: not a parameter
  const auto parameters = reportParameters(image);
  ASSERT_EQ(parameters.size(), 2U);
  EXPECT_EQ(parameters[0].name, "Metan + long name over 25");
  EXPECT_EQ(parameters[0].unitCode, 5);
  EXPECT_EQ(parameters[0].kindValue, 0x1234);
  EXPECT_EQ(parameters[0].decimals, 3);
  EXPECT_EQ(parameters[0].kind, 4);
  EXPECT_EQ(parameters[1].kind, 0);
}

TEST(PassportPlan, ComponentsInOrderAndTheLastParameterOfEachKindWins) {
  const ColumnPlan plan =
      planColumns({parameter(0), parameter(3), parameter(2), parameter(0), parameter(3),
                   parameter(1, 0), parameter(1, 7), parameter(9), parameter(0)});
  EXPECT_EQ(plan.components, (std::vector<int>{0, 3, 8}));
  EXPECT_EQ(plan.lowerHeat, 4);
  EXPECT_EQ(plan.density, 2);
  EXPECT_EQ(plan.temperature, 5);  // a temperature with bytes 59..60 set is not reported
  EXPECT_FALSE(plan.higherHeat);
  EXPECT_FALSE(plan.wobbe);
  EXPECT_EQ(plan.densityColumn(), 5);
  EXPECT_EQ(plan.lowerHeatColumn(), 6);
  EXPECT_EQ(plan.higherHeatColumn(), 9);
  EXPECT_EQ(plan.wobbeColumn(), 12);
  EXPECT_EQ(plan.moistureColumn(), 15);
  EXPECT_EQ(plan.lastColumn(), 19);
}

TEST(PassportPlan, HeatingValuesInThreeUnits) {
  const struct {
    int unitCode;
    double value;
    std::array<double, 3> expected;
  } cases[] = {
      {5, 8000, {8000, 8000 * 0.0041827, 8000 * 0.0011619}},  // ккал/м3
      {4, 38.5, {38.5 / 0.0041827, 38.5, 38.5 * 0.277778}},   // МДж/м3
      {7, 14, {14 / 0.0011619, 14 / 0.277778, 14}},           // кВт*ч/м3
      {6, 1, {0, 0, 0}},                                      // кг/м3: no heat unit
      {0, 1, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    const auto got = heatInThreeUnits(c.value, c.unitCode);
    for (int u = 0; u < 3; ++u) {
      EXPECT_NEAR(got[u], c.expected[u], 1e-9 * std::max(1.0, c.expected[u]))
          << "unit code " << c.unitCode << ", cell " << u;
    }
  }
}

TEST(PassportPlan, MoistureCellsTakeTheirColumnOrderAndPressureInKgfPerCm2) {
  const auto cells = moistureCells({-12.25F, -5.5F, 40.0F, -20.0F});
  EXPECT_EQ(cells[0], -12.25);
  EXPECT_EQ(cells[1], -20.0);
  EXPECT_EQ(cells[2], -5.5);
  EXPECT_NEAR(cells[3], 40.0 * 1.019716213, 1e-9);
}

// Daily archive from 15.01.24 to 19.03.24.
ArchiveRange dailyRange() {
  return {{24, 1, 15, 0, 0, 0}, {24, 3, 19, 0, 0, 0}, {24, 1, 15, 9, 0, 0}};
}

ObjectList twoObjects() {
  ObjectList objects;
  addObject(objects, "ГРС Південна");
  addObject(objects, "ГРС Північна");
  return objects;
}

TEST(ReportDateDialog, AcceptsADayOrMonthWithinTheArchiveForAnObject) {
  const ObjectList objects = twoObjects();
  const InputError noObject{"Не введено наименование объекта", ""};
  const InputError noData{"В архиве нет данных за указанную дату",
                          "(см. период имеющихся в архиве данных)"};
  const struct {
    PassportMode mode;
    int item;
    Date3 date;
    std::optional<InputError> error;
  } cases[] = {
      {PassportMode::kDaily, 0, {24, 3, 19}, std::nullopt},
      {PassportMode::kDaily, 1, {24, 1, 15}, std::nullopt},
      {PassportMode::kDaily, 0, {24, 1, 14}, noData},
      {PassportMode::kDaily, 0, {24, 3, 20}, noData},
      {PassportMode::kDaily, -1, {24, 3, 19}, noObject},
      {PassportMode::kDaily, 2, {24, 3, 19}, noObject},  // "Новый объект"
      // Months compare as months: January counts though its first days are not held.
      {PassportMode::kMonthly, 0, {24, 1, 1}, std::nullopt},
      {PassportMode::kMonthly, 0, {24, 3, 31}, std::nullopt},
      {PassportMode::kMonthly, 0, {23, 12, 31}, noData},
      {PassportMode::kMonthly, 0, {24, 4, 1}, noData},
  };
  for (const auto& c : cases) {
    const ReportDateCheck check = checkReportDate(c.mode, objects, c.item, c.date, dailyRange(), 9);
    EXPECT_EQ(check.error, c.error) << int(c.date.month) << "/" << int(c.date.day);
    if (c.error) continue;
    const std::uint8_t day = c.mode == PassportMode::kMonthly ? 1 : c.date.day;
    EXPECT_EQ(check.date, (DateHour4{c.date.year, c.date.month, day, 9}));
  }
}

TEST(ReportDateDialog, TextsDaysAndObjectLines) {
  EXPECT_EQ(reportDateCaption(PassportMode::kDaily), " Параметры отчета за сутки");
  EXPECT_EQ(reportDateCaption(PassportMode::kMonthly), " Параметры отчета за месяц");
  EXPECT_EQ(oldestDailyRecordLabel(dailyRange()),
            "Дата самой старой записи в архиве суточных данных:  15.01.24");
  EXPECT_EQ(newestDailyRecordLabel(dailyRange()), "Дата последней записи в архиве:  19.03.24");
  const auto months = reportMonthNames();
  ASSERT_EQ(months.size(), 12U);
  EXPECT_EQ(months.front(), "Январь");
  EXPECT_EQ(months.back(), "Декабрь");
  EXPECT_EQ(dayWithinMonth(2024, 2, 31), 29);
  EXPECT_EQ(dayWithinMonth(2023, 2, 31), 28);
  EXPECT_EQ(dayWithinMonth(2024, 4, 31), 30);
  EXPECT_EQ(dayWithinMonth(2024, 5, 17), 17);

  ObjectList objects = twoObjects();
  EXPECT_EQ(reportObjectItems(objects),
            (std::vector<std::string>{"ГРС Південна", "ГРС Північна", "Новый объект"}));
  for (int i = objects.count; i < kMaxObjects; ++i)
    addObject(objects, "Об'єкт " + std::to_string(i));
  const auto full = reportObjectItems(objects);
  EXPECT_EQ(full.size(), static_cast<std::size_t>(kMaxObjects));
  EXPECT_NE(full.back(), "Новый объект");
}

}  // namespace
}  // namespace zvc

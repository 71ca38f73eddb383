#include "core/tables/controller_clock.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table6 = std::array<std::uint8_t, 12>;

// Summer from the last Sunday of March 03:00, winter from the last Sunday of October 04:00.
constexpr Table6 kEuropeanRule = {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1};

Table6 withRules(std::uint8_t summerMonth, std::uint8_t summerRule, std::uint8_t winterMonth,
                 std::uint8_t winterRule) {
  Table6 table = kEuropeanRule;
  table[0] = summerMonth;
  table[1] = summerRule;
  table[3] = winterMonth;
  table[4] = winterRule;
  return table;
}

TEST(TimeType, ChangesAtTheTransitionHoursOfTheLastSundays) {
  const struct {
    int month, day, hour;
    std::uint8_t expected;
  } cases[] = {
      {3, 27, 12, kWinterTime}, {3, 28, 2, kWinterTime},  {3, 28, 3, kSummerTime},
      {7, 1, 0, kSummerTime},   {10, 31, 3, kSummerTime}, {10, 31, 4, kWinterTime},
      {11, 1, 0, kWinterTime},  {1, 1, 0, kWinterTime},   {12, 31, 23, kWinterTime},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(timeType(21, c.month, c.day, c.hour, kEuropeanRule), c.expected)
        << c.day << "." << c.month << ".21 " << c.hour << ":00";
  }
}

// Each case: a day rule in March 2021 (1 March is a Monday) and the day it names; the transition
// then falls at 03:00 of that day.
TEST(TimeType, DayRulesNameTheDayOfTheTransition) {
  const struct {
    std::uint8_t rule;
    int day;
    const char* what;
  } cases[] = {
      {15, 15, "fixed day 15"},
      {0x80 | (1 << 3) | 1, 7, "first Sunday"},
      {0x80 | (2 << 3) | 1, 1, "first Monday: the 1st itself"},
      {0x80 | (2 << 3) | 2, 8, "second Monday"},
      {0x80 | (7 << 3) | 3, 20, "third Saturday"},
      {0xC0 | (1 << 3) | 1, 28, "last Sunday"},
      {0xC0 | (1 << 3) | 2, 21, "last but one Sunday"},
      {0xC0 | (4 << 3) | 1, 31, "last Wednesday: the 31st itself"},
      {0xC0 | (5 << 3) | 1, 25, "last Thursday"},
  };
  for (const auto& c : cases) {
    const Table6 table = withRules(3, c.rule, 10, 0xC9);
    EXPECT_EQ(timeType(21, 3, c.day, 2, table), kWinterTime) << c.what;
    EXPECT_EQ(timeType(21, 3, c.day, 3, table), kSummerTime) << c.what;
    if (c.day > 1) {
      EXPECT_EQ(timeType(21, 3, c.day - 1, 23, table), kWinterTime) << c.what;
    }
  }
}

TEST(TimeType, LastDayOfFebruaryFollowsLeapYears) {
  const Table6 table = withRules(2, 0xC0 | (1 << 3) | 1, 10, 0xC9);  // last Sunday of February
  EXPECT_EQ(timeType(21, 2, 28, 3, table), kSummerTime);             // 28 February 2021, a Sunday
  EXPECT_EQ(timeType(21, 2, 27, 23, table), kWinterTime);
  EXPECT_EQ(timeType(16, 2, 28, 3, table), kSummerTime);  // 2016: the 29th is a Monday
  EXPECT_EQ(timeType(20, 2, 23, 3, table), kSummerTime);  // 2020: the 29th is a Saturday
  EXPECT_EQ(timeType(20, 2, 22, 23, table), kWinterTime);
}

TEST(TimeType, WithoutATransitionMonthItIsWinterAllYear) {
  for (const Table6& table :
       {withRules(0, 0xC9, 10, 0xC9), withRules(3, 0xC9, 0, 0xC9), withRules(13, 0xC9, 10, 0xC9)}) {
    for (int month = 1; month <= 12; ++month) {
      EXPECT_EQ(timeType(21, month, 15, 12, table), kWinterTime) << month;
    }
  }
}

TEST(ClockCorrection, MovesAtMostToAWholeHourAcrossHours) {
  const struct {
    DateTime6 controller;
    DateTime6 computer;
    int expected;
  } cases[] = {
      {{21, 5, 4, 10, 59, 50}, {21, 5, 4, 11, 0, 5}, 10},    // behind: to 11:00:00 only
      {{21, 5, 4, 11, 0, 20}, {21, 5, 4, 10, 59, 50}, -20},  // ahead: to 11:00:00 only
      {{21, 5, 4, 11, 10, 0}, {21, 5, 4, 11, 12, 30}, 150},  // same hour: the difference
      {{21, 5, 4, 11, 12, 30}, {21, 5, 4, 11, 10, 0}, -150},
      {{21, 5, 4, 11, 0, 0}, {21, 5, 4, 11, 0, 0}, 0},
      {{21, 5, 3, 23, 59, 59}, {21, 5, 4, 0, 0, 1}, 1},       // behind over midnight
      {{21, 5, 5, 11, 30, 0}, {21, 5, 4, 11, 30, 0}, -1800},  // a day ahead, same hour of day
  };
  for (const auto& c : cases) {
    EXPECT_EQ(clockCorrection(c.controller, c.computer), c.expected)
        << int(c.controller.hour) << ":" << int(c.controller.minute) << ":"
        << int(c.controller.second);
  }
}

TEST(ClockTable, HoldsWeekdayAndTimeTypeOfTheMoment) {
  EXPECT_EQ(clockTable({21, 3, 28, 3, 4, 5}, kEuropeanRule),
            (ClockTable{21, 3, 28, 3, 4, 5, 1, kSummerTime}));
  EXPECT_EQ(clockTable({24, 12, 31, 23, 59, 59}, kEuropeanRule),
            (ClockTable{24, 12, 31, 23, 59, 59, 3, kWinterTime}));
}

TEST(ClockRows, ShowBothClocksAndMarkWhatDiffers) {
  const ClockTable controller = {21, 3, 28, 2, 59, 58, 1, kWinterTime};
  const ClockTable computer = {21, 3, 28, 3, 0, 1, 1, kSummerTime};
  const auto rows = clockRows(controller, computer);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].label, "Дата");
  EXPECT_EQ(rows[0].controller, "28.03.21");
  EXPECT_FALSE(rows[0].differs);
  EXPECT_EQ(rows[1].controller, "02:59:58");
  EXPECT_EQ(rows[1].computer, "03:00:01");
  EXPECT_TRUE(rows[1].differs);
  EXPECT_EQ(rows[2].controller, "Воскресенье");
  EXPECT_EQ(rows[3].controller, "Зимнее");
  EXPECT_EQ(rows[3].computer, "Летнее");
  EXPECT_TRUE(rows[3].differs);

  const auto garbled = clockRows({21, 3, 28, 2, 59, 58, 9, 7}, computer);
  EXPECT_EQ(garbled[2].controller, "?");
  EXPECT_EQ(garbled[3].controller, "?");
}

TEST(ControllerClockAt, RunsOnFromTheMomentOfReading) {
  const DateTime6 readAt{24, 2, 28, 23, 59, 30};
  const ClockReading reading{{24, 2, 28, 23, 59, 20, 4, kWinterTime}, dayCountFromDateTime(readAt)};
  EXPECT_EQ(controllerClockAt(reading, readAt), reading.controller);
  // 45 s later: over midnight into the leap day, and the controller's weekday moves on with it.
  EXPECT_EQ(controllerClockAt(reading, {24, 2, 29, 0, 0, 15}),
            (ClockTable{24, 2, 29, 0, 0, 5, 5, kWinterTime}));
  // A clock that holds no date stays as read.
  const ClockReading garbled{{24, 13, 40, 0, 0, 0, 1, 0}, dayCountFromDateTime(readAt)};
  EXPECT_EQ(controllerClockAt(garbled, {24, 3, 1, 0, 0, 0}), garbled.controller);
}

}  // namespace
}  // namespace zvc

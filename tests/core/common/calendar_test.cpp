#include "core/common/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace zvc {
namespace {

DateTime6 at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return {static_cast<std::uint8_t>(year - 2000), static_cast<std::uint8_t>(month),
          static_cast<std::uint8_t>(day),         static_cast<std::uint8_t>(hour),
          static_cast<std::uint8_t>(minute),      static_cast<std::uint8_t>(second)};
}

TEST(Calendar, BytesRoundTripMostSignificantFirst) {
  const std::uint8_t bytes[6] = {24, 2, 29, 23, 59, 58};
  const DateTime6 value = DateTime6::fromBytes(bytes);
  EXPECT_EQ(value, at(2024, 2, 29, 23, 59, 58));
  std::uint8_t written[6] = {};
  value.toBytes(written);
  EXPECT_TRUE(std::equal(bytes, bytes + 6, written));
}

TEST(Calendar, ComparesYearFirstThenDownToSeconds) {
  EXPECT_LT(at(2023, 12, 31, 23, 59, 59), at(2024, 1, 1));
  EXPECT_LT(at(2024, 1, 31), at(2024, 2, 1));
  EXPECT_LT(at(2024, 3, 1, 10, 0, 59), at(2024, 3, 1, 10, 1, 0));
  EXPECT_EQ(at(2024, 3, 1, 10, 1, 0), at(2024, 3, 1, 10, 1, 0));
}

TEST(Calendar, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_FALSE(isLeapYear(2023));
  EXPECT_FALSE(isLeapYear(2100));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2100, 2), 28);
  EXPECT_EQ(daysInMonth(2023, 4), 30);
  EXPECT_EQ(daysInMonth(2023, 12), 31);
  EXPECT_EQ(daysInMonth(2023, 0), 0);
  EXPECT_EQ(daysInMonth(2023, 13), 0);
}

TEST(Calendar, DayOfYear) {
  EXPECT_EQ(dayOfYear(2023, 1, 1), 1);
  EXPECT_EQ(dayOfYear(2023, 3, 1), 60);
  EXPECT_EQ(dayOfYear(2024, 3, 1), 61);
  EXPECT_EQ(dayOfYear(2024, 12, 31), 366);
  EXPECT_EQ(dayOfYear(2100, 12, 31), 365);
}

TEST(Calendar, WeekdayCountsFromSunday) {
  EXPECT_EQ(weekday(2000, 1, 1), 7);    // Saturday
  EXPECT_EQ(weekday(2024, 2, 29), 5);   // Thursday
  EXPECT_EQ(weekday(2023, 10, 29), 1);  // Sunday
  EXPECT_EQ(weekday(2024, 12, 31), 3);  // Tuesday
  EXPECT_EQ(weekday(1899, 12, 30), 7);  // day 0, a Saturday
  EXPECT_EQ(weekday(1899, 12, 24), 1);  // before day 0: Sunday
}

TEST(Calendar, DayNumbersSince30December1899) {
  EXPECT_EQ(dayNumber(1899, 12, 30), 0);
  EXPECT_EQ(dayNumber(1900, 1, 1), 2);
  EXPECT_EQ(dayNumber(1900, 3, 1), 61);  // 1900 had no 29 February
  EXPECT_EQ(dayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(dayNumber(2024, 3, 1) - dayNumber(2024, 2, 28), 2);
}

TEST(Calendar, ValidationChecksDayAgainstItsMonth) {
  EXPECT_TRUE(isValidDateTime(at(2024, 2, 29, 23, 59, 59)));
  EXPECT_TRUE(isValidDateTime(at(2000, 2, 29)));
  EXPECT_FALSE(isValidDateTime(at(2023, 2, 29)));
  EXPECT_FALSE(isValidDateTime(at(2023, 4, 31)));
  EXPECT_FALSE(isValidDateTime(at(2023, 1, 0)));
  EXPECT_FALSE(isValidDateTime(at(2023, 0, 1)));
  EXPECT_FALSE(isValidDateTime(at(2023, 13, 1)));
  EXPECT_FALSE(isValidDateTime(at(2023, 1, 1, 24, 0, 0)));
  EXPECT_FALSE(isValidDateTime(at(2023, 1, 1, 0, 60, 0)));
  EXPECT_FALSE(isValidDateTime(at(2023, 1, 1, 0, 0, 60)));
  EXPECT_FALSE(isValidDateTime(DateTime6{}));
}

TEST(Calendar, DaysAndHoursBetweenIgnoreMinutes) {
  EXPECT_EQ(daysBetween(at(2024, 2, 28), at(2024, 3, 1)), 2);
  EXPECT_EQ(daysBetween(at(2023, 2, 28), at(2023, 3, 1)), 1);
  EXPECT_EQ(daysBetween(at(2023, 12, 31, 23), at(2024, 1, 1, 0)), 1);
  EXPECT_EQ(daysBetween(at(2024, 1, 1), at(2023, 1, 1)), -365);
  EXPECT_EQ(hoursBetween(at(2023, 12, 31, 22, 59, 59), at(2024, 1, 1, 1, 0, 0)), 3);
  EXPECT_EQ(hoursBetween(at(2024, 2, 28, 10), at(2024, 3, 1, 9)), 47);
  EXPECT_EQ(hoursBetween(at(2024, 5, 5, 7, 10), at(2024, 5, 5, 7, 50)), 0);
}

struct StepCase {
  DateTime6 from;
  int count;
  DateTime6 expected;
};

TEST(Calendar, HourStepsCarryIntoDaysMonthsAndYears) {
  const StepCase cases[] = {
      {at(2024, 2, 28, 23, 15, 30), 1, at(2024, 2, 29, 0, 15, 30)},
      {at(2023, 2, 28, 23), 1, at(2023, 3, 1, 0)},
      {at(2024, 12, 31, 23), 1, at(2025, 1, 1, 0)},
      {at(2024, 3, 1, 0), -1, at(2024, 2, 29, 23)},
      {at(2025, 1, 1, 0), -1, at(2024, 12, 31, 23)},
      {at(2024, 3, 1, 5), -23, at(2024, 2, 29, 6)},
      {at(2024, 1, 1, 0), 24 * 366, at(2025, 1, 1, 0)},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(addHours(c.from, c.count), c.expected)
        << int(c.from.year) << "-" << int(c.from.month) << "-" << int(c.from.day) << " " << c.count;
  }
}

TEST(Calendar, DayStepsCarryAroundFebruaryAndYearEnds) {
  const StepCase cases[] = {
      {at(2024, 2, 28, 7, 8, 9), 1, at(2024, 2, 29, 7, 8, 9)},
      {at(2024, 2, 29), 1, at(2024, 3, 1)},
      {at(2100, 2, 28), 1, at(2100, 3, 1)},
      {at(2023, 12, 31), 1, at(2024, 1, 1)},
      {at(2024, 3, 1), -1, at(2024, 2, 29)},
      {at(2024, 1, 1), -1, at(2023, 12, 31)},
      {at(2024, 1, 1), 366, at(2025, 1, 1)},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(addDays(c.from, c.count), c.expected)
        << int(c.from.year) << "-" << int(c.from.month) << "-" << int(c.from.day) << " " << c.count;
  }
}

TEST(Calendar, MonthStepsClampTheDayToTheTargetMonth) {
  const StepCase cases[] = {
      {at(2024, 1, 31, 6, 0, 0), 1, at(2024, 2, 29, 6, 0, 0)},
      {at(2023, 1, 31), 1, at(2023, 2, 28)},
      {at(2024, 3, 31), -1, at(2024, 2, 29)},
      {at(2024, 5, 31), -1, at(2024, 4, 30)},
      {at(2024, 12, 15), 1, at(2025, 1, 15)},
      {at(2024, 1, 15), -1, at(2023, 12, 15)},
      {at(2024, 2, 29), 12, at(2025, 2, 28)},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(addMonths(c.from, c.count), c.expected)
        << int(c.from.year) << "-" << int(c.from.month) << "-" << int(c.from.day) << " " << c.count;
  }
}

TEST(Calendar, StepsStopAtTheEndsOfTheSixByteRange) {
  // The year byte must not wrap round: 2000 minus a day is not 2255.
  EXPECT_EQ(addHours(at(2000, 1, 1, 0, 30), -1), at(2000, 1, 1, 0, 30));
  EXPECT_EQ(addDays(at(2000, 1, 1, 12), -1), at(2000, 1, 1, 12));
  EXPECT_EQ(addMonths(at(2000, 1, 20), -1), at(2000, 1, 20));
  EXPECT_EQ(addHours(at(2255, 12, 31, 23), 1), at(2255, 12, 31, 23));
  EXPECT_EQ(addDays(at(2255, 12, 31), 1), at(2255, 12, 31));
  EXPECT_EQ(addMonths(at(2255, 12, 31), 1), at(2255, 12, 31));
}

TEST(Calendar, DayCountWithFraction) {
  EXPECT_DOUBLE_EQ(dayCountFromDateTime(at(2000, 1, 1)), 36526.0);
  EXPECT_DOUBLE_EQ(dayCountFromDateTime(at(2000, 1, 1, 12)), 36526.5);
  EXPECT_DOUBLE_EQ(dayCountFromDateTime(at(2000, 1, 1, 6)), 36526.25);
  EXPECT_EQ(dateTimeFromDayCount(36526.5), at(2000, 1, 1, 12));
  EXPECT_EQ(dateTimeFromDayCount(36526.75), at(2000, 1, 1, 18));
}

TEST(Calendar, DayCountRoundTripsToTheSecond) {
  const DateTime6 values[] = {at(2000, 1, 1), at(2024, 2, 29, 23, 59, 59),
                              at(2023, 12, 31, 0, 0, 1), at(2099, 7, 15, 13, 37, 42),
                              at(2255, 12, 31, 23, 59, 59)};
  for (const DateTime6& value : values) {
    EXPECT_EQ(dateTimeFromDayCount(dayCountFromDateTime(value)), value);
  }
}

TEST(Calendar, DayCountRoundsToTheNearestSecondAndClamps) {
  const double oneSecond = 1.0 / 86400;
  EXPECT_EQ(dateTimeFromDayCount(36526.0 + 59.6 * oneSecond), at(2000, 1, 1, 0, 1, 0));
  // Just short of midnight rounds into the next day.
  EXPECT_EQ(dateTimeFromDayCount(45000.0 - 0.2 * oneSecond), dateTimeFromDayCount(45000.0));
  EXPECT_EQ(dateTimeFromDayCount(0.0), at(2000, 1, 1));
  EXPECT_EQ(dateTimeFromDayCount(-5.0), at(2000, 1, 1));
  EXPECT_EQ(dateTimeFromDayCount(std::nan("")), at(2000, 1, 1));
  EXPECT_EQ(dateTimeFromDayCount(1e9), at(2255, 12, 31, 23, 59, 59));
}

TEST(Calendar, LocalTimeStructs) {
  std::tm local{};
  local.tm_year = 124;
  local.tm_mon = 1;
  local.tm_mday = 29;
  local.tm_hour = 8;
  local.tm_min = 5;
  local.tm_sec = 60;  // leap second
  EXPECT_EQ(dateTimeFromTm(local), at(2024, 2, 29, 8, 5, 59));
  local.tm_year = 99;
  EXPECT_EQ(dateTimeFromTm(local), at(2000, 1, 1));

  const std::tm back = tmFromDateTime(at(2024, 2, 29, 8, 5, 7));
  EXPECT_EQ(back.tm_year, 124);
  EXPECT_EQ(back.tm_mon, 1);
  EXPECT_EQ(back.tm_mday, 29);
  EXPECT_EQ(back.tm_hour, 8);
  EXPECT_EQ(back.tm_min, 5);
  EXPECT_EQ(back.tm_sec, 7);
  EXPECT_EQ(back.tm_wday, 4);  // Thursday
  EXPECT_EQ(back.tm_yday, 59);
}

TEST(Calendar, TimeTRoundTripThroughTheLocalZone) {
  // Noon is never inside a daylight-saving gap.
  std::tm local = tmFromDateTime(at(2024, 7, 14, 12, 34, 56));
  EXPECT_EQ(dateTimeFromTime(std::mktime(&local)), at(2024, 7, 14, 12, 34, 56));
  EXPECT_TRUE(isValidDateTime(localNow()));
}

}  // namespace
}  // namespace zvc

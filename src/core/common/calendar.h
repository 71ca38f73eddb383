#pragma once

#include <compare>
#include <cstdint>
#include <ctime>

namespace zvc {

// Date and time as the controller's archives and tables hold it: six unsigned
// bytes, most significant first, the year counted from 2000. Comparing two
// values compares the bytes in that order, year first.
struct DateTime6 {
  std::uint8_t year = 0;  // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::uint8_t second = 0;

  static DateTime6 fromBytes(const std::uint8_t* bytes);
  void toBytes(std::uint8_t* bytes) const;
  int fullYear() const { return 2000 + year; }

  auto operator<=>(const DateTime6&) const = default;
};

// Years are full Gregorian years (2024, not 24) in every function below.
bool isLeapYear(int year);
// 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// 1 for 1 January.
int dayOfYear(int year, int month, int day);
// 1 = Sunday .. 7 = Saturday, as the controller counts weekdays.
int weekday(int year, int month, int day);

// Whole days since 30 December 1899 (day 0), the integer part of a day count.
long dayNumber(int year, int month, int day);

// Month 1..12, day within the month, hour <= 23, minute and second <= 59.
bool isValidDateTime(const DateTime6& value);

// Differences between the calendar dates (later minus earlier, negative when
// "later" is earlier); minutes and seconds are ignored.
long daysBetween(const DateTime6& earlier, const DateTime6& later);
long hoursBetween(const DateTime6& earlier, const DateTime6& later);

// Stepping with carry into day, month and year; count may be negative. The
// parts below the stepped unit stay as they are. A month step keeps the day
// unless the target month is shorter, then it takes that month's last day
// (31 March minus one month is 28 or 29 February). Steps stop at the ends of
// what six bytes can hold: 1 January 2000 and 31 December 2255. The input is
// expected to be valid (isValidDateTime).
DateTime6 addHours(const DateTime6& value, int count);
DateTime6 addDays(const DateTime6& value, int count);
DateTime6 addMonths(const DateTime6& value, int count);

// Day count with fraction: days since 30 December 1899, the fraction being the
// time of day (0.5 = 12:00). A count outside the six-byte range is clamped to
// it; the time is rounded to the nearest second.
double dayCountFromDateTime(const DateTime6& value);
DateTime6 dateTimeFromDayCount(double dayCount);

// Local time of the computer. Years outside 2000..2255 are clamped to the
// nearest end of that range.
DateTime6 dateTimeFromTm(const std::tm& local);
// tm_wday and tm_yday are filled in, tm_isdst is -1 (let mktime decide).
std::tm tmFromDateTime(const DateTime6& value);
DateTime6 dateTimeFromTime(std::time_t time);
// The computer's clock now; the only place that reads it.
DateTime6 localNow();

}  // namespace zvc

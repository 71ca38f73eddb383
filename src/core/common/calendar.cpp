#include "core/common/calendar.h"

#include <algorithm>
#include <cmath>

namespace zvc {
namespace {

constexpr long kSecondsPerDay = 24 * 60 * 60;
// Day number of 1 January 1970.
constexpr long kUnixEpochDayNumber = 25569;

struct CivilDate {
  int year;
  int month;
  int day;
};

constexpr long floorDiv(long a, long b) {
  return (a >= 0 ? a : a - b + 1) / b;
}

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr long daysFromCivil(long year, long month, long day) {
  year -= month <= 2 ? 1 : 0;
  const long era = floorDiv(year, 400);
  const long yearOfEra = year - era * 400;
  const long dayOfYearFromMarch = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYearFromMarch;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(long days) {
  days += 719468;
  const long era = floorDiv(days, 146097);
  const long dayOfEra = days - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYearFromMarch = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long monthFromMarch = (5 * dayOfYearFromMarch + 2) / 153;
  const int day = static_cast<int>(dayOfYearFromMarch - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

constexpr long kFirstDay = daysFromCivil(2000, 1, 1) + kUnixEpochDayNumber;
constexpr long kLastDay = daysFromCivil(2255, 12, 31) + kUnixEpochDayNumber;

long dayNumberOf(const DateTime6& value) {
  return dayNumber(value.fullYear(), value.month, value.day);
}

// day must lie within kFirstDay..kLastDay, so the year fits its byte.
DateTime6 dateOfDay(long day, const DateTime6& timeOfDay) {
  const CivilDate date = civilFromDays(day - kUnixEpochDayNumber);
  DateTime6 result = timeOfDay;
  result.year = static_cast<std::uint8_t>(date.year - 2000);
  result.month = static_cast<std::uint8_t>(date.month);
  result.day = static_cast<std::uint8_t>(date.day);
  return result;
}

DateTime6 firstMoment() {
  return {0, 1, 1, 0, 0, 0};
}

DateTime6 lastMoment() {
  return {255, 12, 31, 23, 59, 59};
}

}  // namespace

DateTime6 DateTime6::fromBytes(const std::uint8_t* bytes) {
  return {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]};
}

void DateTime6::toBytes(std::uint8_t* bytes) const {
  bytes[0] = year;
  bytes[1] = month;
  bytes[2] = day;
  bytes[3] = hour;
  bytes[4] = minute;
  bytes[5] = second;
}

bool isLeapYear(int year) {
  return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

int dayOfYear(int year, int month, int day) {
  return static_cast<int>(dayNumber(year, month, day) - dayNumber(year, 1, 1)) + 1;
}

int weekday(int year, int month, int day) {
  // Day 0, 30 December 1899, was a Saturday.
  const long sinceSunday = dayNumber(year, month, day) - 1;
  return static_cast<int>(sinceSunday - floorDiv(sinceSunday, 7) * 7) + 1;
}

long dayNumber(int year, int month, int day) {
  return daysFromCivil(year, month, day) + kUnixEpochDayNumber;
}

bool isValidDateTime(const DateTime6& value) {
  return value.month >= 1 && value.month <= 12 && value.day >= 1 &&
         value.day <= daysInMonth(value.fullYear(), value.month) && value.hour <= 23 &&
         value.minute <= 59 && value.second <= 59;
}

long daysBetween(const DateTime6& earlier, const DateTime6& later) {
  return dayNumberOf(later) - dayNumberOf(earlier);
}

long hoursBetween(const DateTime6& earlier, const DateTime6& later) {
  return daysBetween(earlier, later) * 24 + later.hour - earlier.hour;
}

DateTime6 addHours(const DateTime6& value, int count) {
  const long hours =
      std::clamp(dayNumberOf(value) * 24 + value.hour + count, kFirstDay * 24, kLastDay * 24 + 23);
  DateTime6 result = dateOfDay(hours / 24, value);
  result.hour = static_cast<std::uint8_t>(hours % 24);
  return result;
}

DateTime6 addDays(const DateTime6& value, int count) {
  return dateOfDay(std::clamp(dayNumberOf(value) + count, kFirstDay, kLastDay), value);
}

DateTime6 addMonths(const DateTime6& value, int count) {
  const long months = std::clamp(value.year * 12L + (value.month - 1) + count, 0L, 256L * 12 - 1);
  DateTime6 result = value;
  result.year = static_cast<std::uint8_t>(months / 12);
  result.month = static_cast<std::uint8_t>(months % 12 + 1);
  result.day = static_cast<std::uint8_t>(
      std::min<int>(value.day, daysInMonth(result.fullYear(), result.month)));
  return result;
}

double dayCountFromDateTime(const DateTime6& value) {
  const long secondOfDay = value.hour * 3600L + value.minute * 60L + value.second;
  return static_cast<double>(dayNumberOf(value)) +
         static_cast<double>(secondOfDay) / kSecondsPerDay;
}

DateTime6 dateTimeFromDayCount(double dayCount) {
  // Written so that NaN lands on the first moment too.
  if (!(dayCount >= static_cast<double>(kFirstDay))) return firstMoment();
  if (dayCount >= static_cast<double>(kLastDay + 1)) return lastMoment();
  const long seconds =
      std::min(std::lround(dayCount * kSecondsPerDay), (kLastDay + 1) * kSecondsPerDay - 1);
  const long secondOfDay = seconds % kSecondsPerDay;
  DateTime6 timeOfDay;
  timeOfDay.hour = static_cast<std::uint8_t>(secondOfDay / 3600);
  timeOfDay.minute = static_cast<std::uint8_t>(secondOfDay / 60 % 60);
  timeOfDay.second = static_cast<std::uint8_t>(secondOfDay % 60);
  return dateOfDay(seconds / kSecondsPerDay, timeOfDay);
}

DateTime6 dateTimeFromTm(const std::tm& local) {
  const int year = local.tm_year + 1900;
  if (year < 2000) return firstMoment();
  if (year > 2255) return lastMoment();
  return {static_cast<std::uint8_t>(year - 2000), static_cast<std::uint8_t>(local.tm_mon + 1),
          static_cast<std::uint8_t>(local.tm_mday), static_cast<std::uint8_t>(local.tm_hour),
          static_cast<std::uint8_t>(local.tm_min),
          // A leap second shows as the last second of its minute.
          static_cast<std::uint8_t>(std::min(local.tm_sec, 59))};
}

std::tm tmFromDateTime(const DateTime6& value) {
  std::tm result{};
  result.tm_year = value.fullYear() - 1900;
  result.tm_mon = value.month - 1;
  result.tm_mday = value.day;
  result.tm_hour = value.hour;
  result.tm_min = value.minute;
  result.tm_sec = value.second;
  result.tm_wday = weekday(value.fullYear(), value.month, value.day) - 1;
  result.tm_yday = dayOfYear(value.fullYear(), value.month, value.day) - 1;
  result.tm_isdst = -1;
  return result;
}

DateTime6 dateTimeFromTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return dateTimeFromTm(local);
}

DateTime6 localNow() {
  return dateTimeFromTime(std::time(nullptr));
}

}  // namespace zvc

#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "core/common/calendar.h"

namespace zvc {

// Hour of an hourly archive record: the first four bytes of a DateTime6.
struct DateHour4 {
  std::uint8_t year = 0;  // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t hour = 0;

  static DateHour4 fromBytes(const std::uint8_t* bytes);
  static DateHour4 of(const DateTime6& value);
  void toBytes(std::uint8_t* bytes) const;
  // Minutes and seconds 0.
  DateTime6 toDateTime6() const;

  auto operator<=>(const DateHour4&) const = default;
};

// Day of a daily archive record: year, month, day.
struct Date3 {
  std::uint8_t year = 0;  // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;

  static Date3 fromBytes(const std::uint8_t* bytes);
  static Date3 of(const DateTime6& value);
  void toBytes(std::uint8_t* bytes) const;
  // Midnight of the day.
  DateTime6 toDateTime6() const;

  auto operator<=>(const Date3&) const = default;
};

// "dd.mm.yy" and "hh:mm:ss", as archive tables and reports show them.
std::string formatArchiveDate(const DateTime6& value);
std::string formatArchiveDate(const DateHour4& value);
std::string formatArchiveDate(const Date3& value);
std::string formatArchiveTime(const DateTime6& value);

// Whole days between the dates × 24 plus the difference of the hours (progress bars).
long hoursBetween(const DateHour4& earlier, const DateHour4& later);

}  // namespace zvc

#include "core/archives/archive_dates.h"

#include "core/common/format.h"

namespace zvc {

DateHour4 DateHour4::fromBytes(const std::uint8_t* bytes) {
  return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

DateHour4 DateHour4::of(const DateTime6& value) {
  return {value.year, value.month, value.day, value.hour};
}

void DateHour4::toBytes(std::uint8_t* bytes) const {
  bytes[0] = year;
  bytes[1] = month;
  bytes[2] = day;
  bytes[3] = hour;
}

DateTime6 DateHour4::toDateTime6() const {
  return {year, month, day, hour, 0, 0};
}

Date3 Date3::fromBytes(const std::uint8_t* bytes) {
  return {bytes[0], bytes[1], bytes[2]};
}

Date3 Date3::of(const DateTime6& value) {
  return {value.year, value.month, value.day};
}

void Date3::toBytes(std::uint8_t* bytes) const {
  bytes[0] = year;
  bytes[1] = month;
  bytes[2] = day;
}

DateTime6 Date3::toDateTime6() const {
  return {year, month, day, 0, 0, 0};
}

std::string formatArchiveDate(const DateTime6& value) {
  return format("%02d.%02d.%02d", value.day, value.month, value.year);
}

std::string formatArchiveDate(const DateHour4& value) {
  return formatArchiveDate(value.toDateTime6());
}

std::string formatArchiveDate(const Date3& value) {
  return formatArchiveDate(value.toDateTime6());
}

std::string formatArchiveTime(const DateTime6& value) {
  return format("%02d:%02d:%02d", value.hour, value.minute, value.second);
}

long hoursBetween(const DateHour4& earlier, const DateHour4& later) {
  return hoursBetween(earlier.toDateTime6(), later.toDateTime6());
}

}  // namespace zvc

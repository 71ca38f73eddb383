#include "sim/sim_time.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace zvc::sim {
namespace {

int lastSundayOf(int year, int month) {
  const int last = daysInMonth(year, month);
  return last - (weekday(year, month, last) - 1);
}

}  // namespace

SimSeconds secondsFromDateTime(const DateTime6& value) {
  std::tm tm = tmFromDateTime(value);
  return timegm(&tm);
}

DateTime6 dateTimeFromSeconds(SimSeconds seconds) {
  const std::time_t time = seconds;
  std::tm tm{};
  gmtime_r(&time, &tm);
  return dateTimeFromTm(tm);
}

std::optional<DateTime6> parseDateTime(std::string_view text) {
  int year, month, day, hour, minute, second;
  char tail;
  const std::string copy(text);
  if (std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                  &second, &tail) != 6 ||
      year < 2000 || year > 2255) {
    return std::nullopt;
  }
  const DateTime6 value{std::uint8_t(year - 2000), std::uint8_t(month),  std::uint8_t(day),
                        std::uint8_t(hour),        std::uint8_t(minute), std::uint8_t(second)};
  if (!isValidDateTime(value)) return std::nullopt;
  return value;
}

std::uint8_t timeTypeOf(const DateTime6& value) {
  const int year = value.fullYear();
  const DateTime6 summer{value.year, 3, std::uint8_t(lastSundayOf(year, 3)), 3, 0, 0};
  const DateTime6 winter{value.year, 10, std::uint8_t(lastSundayOf(year, 10)), 4, 0, 0};
  return (value >= summer && value < winter) ? 0 : 128;
}

}  // namespace zvc::sim

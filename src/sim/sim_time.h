#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/common/calendar.h"

namespace zvc::sim {

// The simulated controller's wall clock as seconds of a calendar without time
// zones or daylight saving (the controller keeps local time as it is shown).
using SimSeconds = std::int64_t;

SimSeconds secondsFromDateTime(const DateTime6& value);
DateTime6 dateTimeFromSeconds(SimSeconds seconds);

// "YYYY-MM-DD HH:MM:SS", a valid date in 2000..2255; nullopt otherwise.
std::optional<DateTime6> parseDateTime(std::string_view text);

// 0 summer, 128 winter: summer time from the last Sunday of March 03:00 to the
// last Sunday of October 04:00, the rule the simulated controller starts with.
std::uint8_t timeTypeOf(const DateTime6& value);

}  // namespace zvc::sim

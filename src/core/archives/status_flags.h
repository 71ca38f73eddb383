#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zvc {

// What the status-flags window explains: the status byte of a measurement record (with the
// chromatograph state code) or of an hourly or daily record.
enum class StatusFlagsMode { kMeasurementRecord = 0, kHourlyOrDailyRecord = 1 };

inline constexpr std::string_view kStatusFlagsCaption =
    "Признаки наличия нештатных ситуаций, связанных с работой хроматографа";

// The lines of the window, top to bottom (UTF-8): the status byte, one line per set bit that the
// mode explains (or "Норма"), and for a measurement record taken while the controller was on and
// linked to the chromatograph, the chromatograph state.
std::vector<std::string> statusFlagsLines(StatusFlagsMode mode, std::uint8_t status,
                                          std::uint16_t chromatographState);

}  // namespace zvc

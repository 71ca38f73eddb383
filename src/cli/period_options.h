#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"

namespace zvc::cli {

// Readings by period of the measurement, hourly, daily, calibration and verification archives:
// a period typed as the period dialog takes it, or one of the dialog's quick choices.
enum class PeriodChoice { kPeriod, kLastHour, kLastDay, kLastMonth };
struct PeriodRequest {
  int run = 0;  // meas, hour, day: the chromatograph's run, 0 or 1
  PeriodChoice choice = PeriodChoice::kPeriod;
  DateTimeArgument begin;
  DateTimeArgument end;
  std::optional<std::string> saveFile;
  bool operator==(const PeriodRequest&) const = default;
};

// Which archive is read, as its period dialog sees it.
enum class PeriodUnit { kMeasurement, kHour, kDay };
struct PeriodReading {
  PeriodUnit unit = PeriodUnit::kMeasurement;
  bool ofRun = false;          // the chromatograph's archives of one run: --run 1|2
  std::string_view extension;  // of the saved file
};

// --run, --period, the dialog's quick choices and --save of such a reading.
void declarePeriodOptions(OptionDeclarations& options, const PeriodReading& reading);
PeriodRequest readPeriodRequest(const GivenArguments& given, const PeriodReading& reading);

// "--period BEGIN END", then the reading's quick choices, each after the separator.
std::string periodChoices(const PeriodReading& reading, std::string_view separator);

}  // namespace zvc::cli

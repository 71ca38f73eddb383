#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/archives/archive_dates.h"

namespace zvc {

class kpsbox;

// Function 15 (hourly, 11 bytes) or 16 (daily, 9 bytes).
struct HourDayArchiveRequest {
  bool daily = false;
  std::uint8_t run = 0;
  std::uint8_t device = 0;
  DateTime6 start;  // an hour (hourly) or a date (daily)
  DateTime6 end;

  std::vector<std::uint8_t> toBytes() const;
};

// The record's own hour (hourly) or day (daily): both devices' hourly and daily records begin
// with the date and the start hour.
DateTime6 hourDayRecordTime(std::span<const std::uint8_t> record, bool daily);

// Records an answer of function 15 or 16 carries: its count byte, cut to the records that arrived.
std::size_t hourDayRecordCount(std::span<const std::uint8_t> answer, std::size_t recordSize);

// Sends the request; the answer's payload (valid until the next exchange), nullopt when the
// exchange failed.
std::optional<std::span<const std::uint8_t>> exchangeHourDay(kpsbox& engine,
                                                             const HourDayArchiveRequest& request);

// How an hourly or daily reading ended.
enum class HourDayEnd {
  kComplete,  // the period is read: the controller said so, or the next time lies past the end
  kCutShort,  // an answer brought nothing new before the period's end
  kFailed,    // an exchange failed and was not repeated
  kStopped,   // a record, or the person, ended the reading early
};

// What becomes of a record newer than every record kept so far.
enum class RecordChoice {
  kKeep,
  kKeepAndStop,  // kept, and the reading ends here
  kRefuse,       // not kept, and the reading ends here
};

// One device's hourly or daily records of a period, requested from the next expected time X on.
struct HourDaySeries {
  HourDayArchiveRequest request;  // start and end of the period, in the archive's unit
  std::size_t recordSize = 0;
  // An answer with fewer records says the period holds no more (1: only an empty answer says so).
  std::size_t fullAnswer = 1;
};

struct HourDaySeriesSteps {
  // One request sent: the answer's payload, or nullopt when it failed and is not to be repeated.
  std::function<std::optional<std::span<const std::uint8_t>>(const HourDayArchiveRequest&)>
      exchange;
  // A record not seen before, with the next expected time X it is checked against.
  std::function<RecordChoice(std::span<const std::uint8_t> record, const DateTime6& time,
                             const DateTime6& expected)>
      record;
  // After each answer: true when the person asked to stop.
  std::function<bool()> stopRequested;
};

// The reading loop of the hourly and daily archives. After each record kept X = max(X, its time
// + one unit), never X + one unit on its own, so a record that starts an answer early loses no
// later one. A record at or before the newest one kept is a repeat and is dropped unseen. An
// answer that keeps nothing new and leaves X where it was ends the reading, so it always ends.
HourDayEnd runHourDaySeries(const HourDaySeries& series, const HourDaySeriesSteps& steps);

}  // namespace zvc

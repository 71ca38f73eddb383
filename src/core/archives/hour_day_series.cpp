#include "core/archives/hour_day_series.h"

#include <algorithm>

#include "core/archives/archive_series.h"
#include "core/common/calendar.h"
#include "core/link/kpsbox.h"

namespace zvc {
namespace {

constexpr std::uint8_t kHourDayRequestTag = 3;

DateTime6 nextUnit(const DateTime6& time, bool daily) {
  return daily ? addDays(time, 1) : addHours(time, 1);
}

}  // namespace

std::vector<std::uint8_t> HourDayArchiveRequest::toBytes() const {
  std::vector<std::uint8_t> bytes{kHourDayRequestTag, run, device};
  const std::size_t size = daily ? 3 : 4;
  for (const DateTime6& moment : {start, end}) {
    std::uint8_t raw[6];
    moment.toBytes(raw);
    bytes.insert(bytes.end(), raw, raw + size);
  }
  return bytes;
}

DateTime6 hourDayRecordTime(std::span<const std::uint8_t> record, bool daily) {
  const DateHour4 start{record[0], record[1], record[2], record[3]};
  return daily ? Date3::of(start.toDateTime6()).toDateTime6() : start.toDateTime6();
}

std::size_t hourDayRecordCount(std::span<const std::uint8_t> answer, std::size_t recordSize) {
  if (answer.empty() || recordSize == 0) return 0;
  return std::min<std::size_t>(answer[0], (answer.size() - 1) / recordSize);
}

std::optional<std::span<const std::uint8_t>> exchangeHourDay(kpsbox& engine,
                                                             const HourDayArchiveRequest& request) {
  const auto payload = request.toBytes();
  const std::uint8_t function = request.daily ? kpsbox::kReadDayArchive : kpsbox::kReadHourArchive;
  if (!engine.Command(function, payload.data(), static_cast<int>(payload.size()), 0)) {
    return std::nullopt;
  }
  return responsePayload(engine);
}

HourDayEnd runHourDaySeries(const HourDaySeries& series, const HourDaySeriesSteps& steps) {
  const bool daily = series.request.daily;
  HourDayArchiveRequest request = series.request;
  DateTime6 expected = request.start;
  std::optional<DateTime6> newest;
  while (true) {
    const auto answer = steps.exchange(request);
    if (!answer) return HourDayEnd::kFailed;
    const std::size_t n = hourDayRecordCount(*answer, series.recordSize);
    bool keptAny = false;
    for (std::size_t i = 0; i < n; ++i) {
      const auto record = answer->subspan(1 + i * series.recordSize, series.recordSize);
      const DateTime6 time = hourDayRecordTime(record, daily);
      if (newest && time <= *newest) continue;
      const RecordChoice choice = steps.record(record, time, expected);
      if (choice == RecordChoice::kRefuse) return HourDayEnd::kStopped;
      newest = time;
      keptAny = true;
      expected = std::max(expected, nextUnit(time, daily));
      if (choice == RecordChoice::kKeepAndStop) return HourDayEnd::kStopped;
    }
    if (steps.stopRequested && steps.stopRequested()) return HourDayEnd::kStopped;
    const bool pastEnd = expected > request.end;
    if (n > 0 && !keptAny) return pastEnd ? HourDayEnd::kComplete : HourDayEnd::kCutShort;
    if (n < series.fullAnswer || pastEnd) return HourDayEnd::kComplete;
    request.start = expected;
  }
}

}  // namespace zvc

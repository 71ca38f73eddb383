#include "core/reports/passport_reader.h"

#include <algorithm>
#include <utility>

#include "core/archives/archive_series.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/controller_state.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kInformation = 6;
constexpr int kProgressMaximum = 48;
constexpr std::uint8_t kChromatograph = 0;
constexpr std::uint8_t kMoistureMeter = 1;

constexpr const char* kPeriodMismatch1 = "Передаваемые контроллером данные не соответствуют";
constexpr const char* kPeriodMismatch2 = "запрошенному периоду";
constexpr const char* kUnread = "не прочитаны";

}  // namespace

// One instrument's hourly or daily records of the passport's period.
struct PassportReader::Series {
  HourDayArchiveRequest request;
  std::size_t recordSize = 0;
  const char* title = "";
};

PassportReader::PassportReader(ConnectionState& connection, TableService& service)
    : connection_(connection), service_(service) {}

std::optional<PassportReading> PassportReader::readDaily(int run, const Date3& day,
                                                         int contractHour,
                                                         const ArchiveRange& range) {
  BusyCursor busy(service_.frontend());
  PassportReading reading;
  reading.mode = PassportMode::kDaily;
  reading.run = run;
  reading.date = day;
  auto chromDay =
      readDayRecord(run, kChromatograph, day, ChromHourDayRecord::kSize,
                    " хроматографа не прочитаны", "Суточные данные хроматографа недостоверны");
  if (!chromDay) return std::nullopt;
  reading.chromDay = std::move(*chromDay);
  if (moistureMeterPresent(service_.image())) {
    auto moistureDay =
        readDayRecord(0, kMoistureMeter, day, WmtHourDayRecord::kSize, "влагомера не прочитаны",
                      "Суточные данные влагомера недостоверны");
    if (!moistureDay) return std::nullopt;
    reading.moistureDay = std::move(*moistureDay);
  }

  DateTime6 start = day.toDateTime6();
  start.hour = static_cast<std::uint8_t>(contractHour);
  start = std::max(start, range.first);
  const DateTime6 end = addHours(addDays(day.toDateTime6(), 1), contractHour - 1);
  if (!readBoth(false, run, start, end, reading)) return std::nullopt;
  return reading;
}

std::optional<PassportReading> PassportReader::readMonthly(int run, const Date3& month,
                                                           const ArchiveRange& range) {
  BusyCursor busy(service_.frontend());
  PassportReading reading;
  reading.mode = PassportMode::kMonthly;
  reading.run = run;
  reading.date = month;
  const DateTime6 first = Date3{month.year, month.month, 1}.toDateTime6();
  const int days = daysInMonth(first.fullYear(), first.month);
  const DateTime6 last =
      Date3{month.year, month.month, static_cast<std::uint8_t>(days)}.toDateTime6();
  const DateTime6 start = std::max(first, Date3::of(range.first).toDateTime6());
  const DateTime6 end = std::min(last, Date3::of(range.last).toDateTime6());
  if (!readBoth(true, run, start, end, reading)) return std::nullopt;
  return reading;
}

// The chromatograph's records, then the moisture meter's (when it has one) in step with them,
// under the wait window.
bool PassportReader::readBoth(bool daily, int run, const DateTime6& start, const DateTime6& end,
                              PassportReading& reading) {
  const Series chrom{
      {daily, static_cast<std::uint8_t>(run), kChromatograph, start, end},
      ChromHourDayRecord::kSize,
      daily ? "Суточные данные хроматографа из архива" : "Часовые данные хроматографа из архива"};
  const Series moisture{
      {daily, 0, kMoistureMeter, start, end},
      WmtHourDayRecord::kSize,
      daily ? "Суточные данные влагомера из архива" : "Часовые данные влагомера из архива"};
  const bool moistureMeter = moistureMeterPresent(service_.image());
  {
    ArchiveReadSession session(connection_, service_.frontend(), kProgressMaximum);
    if (!readSeries(chrom, reading.chromRows, nullptr)) return false;
    if (!moistureMeter) return true;
    if (!readSeries(moisture, reading.moistureRows, &reading.chromRows)) return false;
  }
  const std::size_t chromCount = reading.chromRows.count();
  const std::size_t moistureCount = reading.moistureRows.count();
  if (chromCount != moistureCount) {
    inform("Несоответствие количества прочитанных данных",
           format("хроматографа (%d) и влагомера (%d)", static_cast<int>(chromCount),
                  static_cast<int>(moistureCount)));
    return false;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> PassportReader::readDayRecord(int run, std::uint8_t device,
                                                                       const Date3& day,
                                                                       std::size_t size,
                                                                       const char* unreadLine2,
                                                                       const char* unsoundLine1) {
  const HourDayArchiveRequest request{true, static_cast<std::uint8_t>(run), device,
                                      day.toDateTime6(), day.toDateTime6()};
  const auto answer = exchange(request);
  if (!answer || hourDayRecordCount(*answer, size) == 0) {
    inform("Суточные данные из архива", unreadLine2);
    return std::nullopt;
  }
  const auto record = answer->subspan(1, size);
  if (!recordIsSound(record)) {
    inform(unsoundLine1, "(не совпадает КС записи");
    return std::nullopt;
  }
  // Another day's averages would stand under this day's date.
  if (Date3::fromBytes(record.data()) != day) {
    inform(kPeriodMismatch1, kPeriodMismatch2);
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(record.begin(), record.end());
}

// True when the series was read; `matchWith` holds the records whose hours (days) these must
// repeat one by one.
bool PassportReader::readSeries(const Series& series, ArchiveRecords& out,
                                const ArchiveRecords* matchWith) {
  Frontend& frontend = service_.frontend();
  std::vector<std::uint8_t> bytes;
  std::size_t count = 0;
  HourDaySeriesSteps steps;
  steps.exchange = [this](const HourDayArchiveRequest& request) { return exchange(request); };
  steps.record = [&](std::span<const std::uint8_t> record, const DateTime6& time,
                     const DateTime6& expected) {
    frontend.progressSet(std::min(static_cast<int>(count) + 1, kProgressMaximum));
    if (time < expected || time > series.request.end) {
      inform(kPeriodMismatch1, kPeriodMismatch2);
      return RecordChoice::kRefuse;
    }
    if (matchWith != nullptr && count < matchWith->count() &&
        hourDayRecordTime((*matchWith)[count], series.request.daily) != time) {
      inform("Несоответствие дат в записях", "архивов данных хроматографа и влагомера");
      return RecordChoice::kRefuse;
    }
    bytes.insert(bytes.end(), record.begin(), record.end());
    ++count;
    return RecordChoice::kKeep;
  };
  steps.stopRequested = [&] {
    frontend.processEvents();
    return std::exchange(connection_.stopRequested, false);
  };
  switch (runHourDaySeries({series.request, series.recordSize}, steps)) {
    case HourDayEnd::kFailed:
      inform(series.title, kUnread);
      return false;
    case HourDayEnd::kStopped:
      return false;
    case HourDayEnd::kCutShort:
      // The controller sends again what it sent before instead of the hours (days) asked for.
      inform(kPeriodMismatch1, kPeriodMismatch2);
      return false;
    case HourDayEnd::kComplete:
      break;
  }
  if (count == 0) {
    inform(series.title, kUnread);
    return false;
  }
  out = ArchiveRecords(series.recordSize, std::move(bytes));
  return true;
}

std::optional<std::span<const std::uint8_t>> PassportReader::exchange(
    const HourDayArchiveRequest& request) {
  kpsbox& engine = *connection_.engine;
  auto answer = exchangeHourDay(engine, request);
  if (!answer) {
    service_.frontend().setStatus(kResultPanel, engine.ErrorText());
    service_.frontend().startMessageTimer();
  }
  return answer;
}

void PassportReader::inform(std::string_view line1, std::string_view line2) {
  service_.frontend().showMessage(kInformation, line1, line2);
}

}  // namespace zvc

#include "core/reports/passport_reader.h"

#include <algorithm>

#include "core/archives/archive_series.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kInformation = 6;
constexpr int kProgressMaximum = 48;
constexpr std::uint8_t kChromatograph = 0;
constexpr std::uint8_t kMoistureMeter = 1;
constexpr int kHoursOfDay = 24;

constexpr const char* kPeriodMismatch1 = "Передаваемые контроллером данные не соответствуют";
constexpr const char* kPeriodMismatch2 = "запрошенному периоду";
constexpr const char* kUnread = "не прочитаны";

// Records an answer of function 15 or 16 carries: the count byte, cut to what arrived.
std::size_t recordsIn(std::span<const std::uint8_t> answer, std::size_t size) {
  if (answer.empty()) return 0;
  return std::min<std::size_t>(answer[0], (answer.size() - 1) / size);
}

}  // namespace

// One instrument's hourly or daily records from start to end, at most `limit` of them.
struct PassportReader::Series {
  bool daily = false;
  int run = 0;
  std::uint8_t device = 0;
  std::size_t recordSize = 0;
  DateTime6 start;
  DateTime6 end;
  int limit = 0;
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
  auto moistureDay =
      readDayRecord(0, kMoistureMeter, day, WmtHourDayRecord::kSize, "влагомера не прочитаны",
                    "Суточные данные влагомера недостоверны");
  if (!moistureDay) return std::nullopt;
  reading.chromDay = std::move(*chromDay);
  reading.moistureDay = std::move(*moistureDay);

  DateTime6 start = day.toDateTime6();
  start.hour = static_cast<std::uint8_t>(contractHour);
  start = std::max(start, range.first);
  const DateTime6 end = addHours(addDays(day.toDateTime6(), 1), contractHour - 1);
  if (!readBoth(false, run, start, end, kHoursOfDay, reading)) return std::nullopt;
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
  if (!readBoth(true, run, start, end, days, reading)) return std::nullopt;
  return reading;
}

// The chromatograph's records, then the moisture meter's in step with them, under the wait window.
bool PassportReader::readBoth(bool daily, int run, const DateTime6& start, const DateTime6& end,
                              int limit, PassportReading& reading) {
  Series chrom{
      daily,
      run,
      kChromatograph,
      ChromHourDayRecord::kSize,
      start,
      end,
      limit,
      daily ? "Суточные данные хроматографа из архива" : "Часовые данные хроматографа из архива"};
  Series moisture = chrom;
  moisture.run = 0;
  moisture.device = kMoistureMeter;
  moisture.recordSize = WmtHourDayRecord::kSize;
  moisture.title =
      daily ? "Суточные данные влагомера из архива" : "Часовые данные влагомера из архива";
  {
    ArchiveReadSession session(connection_, service_.frontend(), kProgressMaximum);
    if (!readSeries(chrom, reading.chromRows, nullptr)) return false;
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
  kpsbox& engine = *connection_.engine;
  Frontend& frontend = service_.frontend();
  const HourDayArchiveRequest request{true, static_cast<std::uint8_t>(run), device,
                                      day.toDateTime6(), day.toDateTime6()};
  const auto payload = request.toBytes();
  if (!engine.Command(kpsbox::kReadDayArchive, payload.data(), static_cast<int>(payload.size()),
                      0)) {
    frontend.setStatus(kResultPanel, engine.ErrorText());
    frontend.startMessageTimer();
    inform("Суточные данные из архива", unreadLine2);
    return std::nullopt;
  }
  const auto answer = responsePayload(engine);
  if (recordsIn(answer, size) == 0) {
    inform("Суточные данные из архива", unreadLine2);
    return std::nullopt;
  }
  const auto record = answer.subspan(1, size);
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
  kpsbox& engine = *connection_.engine;
  Frontend& frontend = service_.frontend();
  std::vector<std::uint8_t> bytes;
  int count = 0;
  DateTime6 expected = series.start;
  const auto step = [&](const DateTime6& t) {
    return series.daily ? addDays(t, 1) : addHours(t, 1);
  };
  bool done = false;
  while (!done) {
    HourDayArchiveRequest request{series.daily, static_cast<std::uint8_t>(series.run),
                                  series.device, expected, series.end};
    const auto payload = request.toBytes();
    const std::uint8_t function = series.daily ? kpsbox::kReadDayArchive : kpsbox::kReadHourArchive;
    if (!engine.Command(function, payload.data(), static_cast<int>(payload.size()), 0)) {
      frontend.setStatus(kResultPanel, engine.ErrorText());
      frontend.startMessageTimer();
      inform(series.title, kUnread);
      return false;
    }
    const auto answer = responsePayload(engine);
    const std::size_t n = recordsIn(answer, series.recordSize);
    if (n == 0) break;
    for (std::size_t i = 0; i < n && !done; ++i) {
      const auto record = answer.subspan(1 + i * series.recordSize, series.recordSize);
      frontend.progressSet(std::min(count + 1, kProgressMaximum));
      const DateTime6 time = hourDayRecordTime(record, series.daily);
      if (time < expected || time > series.end) {
        inform(kPeriodMismatch1, kPeriodMismatch2);
        return false;
      }
      if (matchWith != nullptr && static_cast<std::size_t>(count) < matchWith->count() &&
          hourDayRecordTime((*matchWith)[static_cast<std::size_t>(count)], series.daily) != time) {
        inform("Несоответствие дат в записях", "архивов данных хроматографа и влагомера");
        return false;
      }
      bytes.insert(bytes.end(), record.begin(), record.end());
      ++count;
      expected = step(time);
      done = count >= series.limit || expected > series.end;
    }
    frontend.processEvents();
    if (connection_.stopRequested) {
      connection_.stopRequested = false;
      return false;
    }
  }
  if (count == 0) {
    inform(series.title, kUnread);
    return false;
  }
  out = ArchiveRecords(series.recordSize, std::move(bytes));
  return true;
}

void PassportReader::inform(std::string_view line1, std::string_view line2) {
  service_.frontend().showMessage(kInformation, line1, line2);
}

}  // namespace zvc

#include "core/archives/chrom_archive_reader.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "core/app/working_folder.h"
#include "core/archives/archive_series.h"
#include "core/archives/moisture_archives.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {

// What tells the archives of the chromatograph and of the moisture meter apart.
struct DeviceArchives {
  std::uint8_t device;  // low nibble of the source byte
  std::size_t measRecordSize;
  std::size_t hourDayRecordSize;
  std::size_t fullHourDayAnswer;  // an hourly or daily answer with fewer records ends the period
  const char* hourlyTitle;
  const char* dailyTitle;
};

constexpr DeviceArchives kChromatographArchives{
    0, ChromMeasRecord::kSize, ChromHourDayRecord::kSize, 2,
    "Часовые данные хроматографа из архива", "Суточные данные хроматографа из архива"};
constexpr DeviceArchives kMoistureMeterArchives{
    1, WmtMeasRecord::kSize, WmtHourDayRecord::kSize, 8,
    "Часовые данные влагомера из архива", "Суточные данные влагомера из архива"};

namespace {

constexpr int kInformation = 6;
constexpr int kQuestion = 3;
constexpr int kRetryQuestion = 7;

constexpr int kSerialNumberTable = 41;
constexpr TableRange kClock{2, 0, 8};
constexpr TableRange kSystemParameters{6, 0, 12};
constexpr int kContractHourField = 6;
constexpr int kOldestRecordsTable = 27;
constexpr std::uint8_t kDailyOldestFlag = 0x80;
constexpr int kHourlyDepthYears = 1;
constexpr int kDailyDepthYears = 4;
std::uint8_t sourceByte(const DeviceArchives& archives, int run) {
  return static_cast<std::uint8_t>(run * 16 + archives.device);
}

// The moment cut to the unit the archive counts in.
DateTime6 toUnit(const DateTime6& value, bool daily) {
  return daily ? Date3::of(value).toDateTime6() : DateHour4::of(value).toDateTime6();
}

DateTime6 stepUnit(const DateTime6& value, bool daily, int count) {
  return daily ? addDays(value, count) : addHours(value, count);
}

void append(std::ostream& file, std::span<const std::uint8_t> records) {
  file.write(reinterpret_cast<const char*>(records.data()),
             static_cast<std::streamsize>(records.size()));
}

// The period check of a record: hourly before the next expected hour or after the end; daily more
// than a day outside.
bool outsidePeriod(const DateTime6& time, const DateTime6& expected, const DateTime6& end,
                   bool daily) {
  const DateTime6 low = daily ? addDays(expected, -1) : expected;
  const DateTime6 high = daily ? addDays(end, 1) : end;
  return time < low || time > high;
}

std::string dateTimeText(const DateTime6& t) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                t.second);
}

}  // namespace

std::optional<ArchiveRange> selectableRange(const ArchiveRangeRule& rule) {
  const bool daily = rule.daily;
  DateTime6 last = stepUnit(toUnit(rule.clock, daily), daily, -1);
  if (daily && rule.clock.hour < rule.contractHour) last = addDays(last, -1);
  const int depth = daily ? kDailyDepthYears : kHourlyDepthYears;
  DateTime6 first = toUnit(rule.oldest, daily);
  if (last.year > depth) {
    first = stepUnit(last, daily, 1);
    first.year = static_cast<std::uint8_t>(first.year - depth);
    if (first.day > daysInMonth(first.fullYear(), first.month)) {
      first.day = 1;
      first = addMonths(first, 1);
    }
  }
  const DateTime6 oldest = toUnit(rule.oldest, daily);
  if (oldest > first) {
    first = oldest;
    if (daily && rule.oldestFlag) first = addDays(first, -1);
  }
  if (first > last) return std::nullopt;
  return ArchiveRange{first, last, rule.oldest};
}

ChromArchiveReader::ChromArchiveReader(ConnectionState& connection, TableService& service,
                                       std::filesystem::path workingFolder)
    : connection_(connection), service_(service), workingFolder_(std::move(workingFolder)) {}

bool ChromArchiveReader::readClock() {
  return service_.readTableRange(kClock);
}

DateTime6 ChromArchiveReader::controllerClock() const {
  return DateTime6::fromBytes(service_.image().field(2, 0).data());
}

std::optional<ChromReading> ChromArchiveReader::readMeasurements(int run, const DateTime6& start,
                                                                 const DateTime6& end) {
  return readMeasurementsOf(kChromatographArchives, run, start, end);
}

std::optional<ChromReading> ChromArchiveReader::readMoistureMeasurements(const DateTime6& start,
                                                                         const DateTime6& end) {
  return readMeasurementsOf(kMoistureMeterArchives, 0, start, end);
}

std::optional<ChromReading> ChromArchiveReader::readMeasurementsOf(const DeviceArchives& archives,
                                                                   int run,
                                                                   const DateTime6& start,
                                                                   const DateTime6& end) {
  BusyCursor busy(service_.frontend());
  const ArchivePeriodRequest request{sourceByte(archives, run), kMeasurementArchive, 0, start,
                                     end};
  auto records = readPeriodIntoFile(connection_, service_.frontend(),
                                    workingFolder_ / kMeasurementWorkFile, request,
                                    archives.measRecordSize,
                                    {"Измерительные данные", "в архиве измерительных данных"});
  if (!records) return std::nullopt;
  ChromReading reading{buildHeader("MSA", request.source, records->count()), std::move(*records)};
  reading.header.setPeriod(start, end);
  return reading;
}

std::optional<ArchiveRange> ChromArchiveReader::queryRange(bool daily) {
  BusyCursor busy(service_.frontend());
  const int field = daily ? 2 : 1;
  if (!service_.readTableRange({kOldestRecordsTable, static_cast<std::uint8_t>(field), 1})) {
    return std::nullopt;
  }
  ArchiveRangeRule rule;
  rule.daily = daily;
  rule.oldest = DateTime6::fromBytes(service_.image().field(kOldestRecordsTable, field).data());
  if (daily) {
    rule.oldestFlag = (rule.oldest.second & kDailyOldestFlag) != 0;
    rule.oldest.second &= static_cast<std::uint8_t>(~kDailyOldestFlag);
  }
  if (rule.oldest == DateTime6{1, 1, 1, 0, 0, 0}) {
    inform("В архиве нет данных");
    return std::nullopt;
  }
  if (!reportInvalidDate(rule.oldest)) return std::nullopt;
  if (!service_.readTableRange(kClock)) return std::nullopt;
  rule.clock = controllerClock();
  if (!reportInvalidDate(rule.clock)) return std::nullopt;
  if (!service_.readTableRange(kSystemParameters)) return std::nullopt;
  rule.contractHour = service_.image().field(6, kContractHourField)[0];
  auto range = selectableRange(rule);
  if (!range) inform("В архиве еще нет ни одной записи");
  return range;
}

bool ChromArchiveReader::reportInvalidDate(const DateTime6& value) {
  if (isValidDateTime(value)) return true;
  inform(format("Прочитанные параметры даты и времени (%s)", dateTimeText(value).c_str()),
         "не соответствуют допустимым значениям");
  return false;
}

std::optional<ChromReading> ChromArchiveReader::readHourDay(bool daily, int run,
                                                            const DateTime6& start,
                                                            const DateTime6& end) {
  return readHourDayOf(kChromatographArchives, daily, run, start, end);
}

std::optional<ChromReading> ChromArchiveReader::readMoistureHourDay(bool daily,
                                                                    const DateTime6& start,
                                                                    const DateTime6& end) {
  return readHourDayOf(kMoistureMeterArchives, daily, 0, start, end);
}

std::optional<ChromReading> ChromArchiveReader::readHourDayOf(const DeviceArchives& archives,
                                                              bool daily, int run,
                                                              const DateTime6& start,
                                                              const DateTime6& end) {
  BusyCursor busy(service_.frontend());
  const auto workFile = workingFolder_ / kHourlyWorkFile;
  std::ofstream file(workFile, std::ios::binary | std::ios::trunc);
  if (!file) {
    inform("Ошибка открытия файла");
    return std::nullopt;
  }
  const char* title = daily ? archives.dailyTitle : archives.hourlyTitle;
  const std::size_t recordSize = archives.hourDayRecordSize;
  const DateTime6 s = toUnit(start, daily);
  const DateTime6 e = toUnit(end, daily);
  const long units = daily ? daysBetween(s, e) : hoursBetween(s, e);
  const int maximum = static_cast<int>(std::max(units, 1L));
  const HourDaySeries series{{daily, static_cast<std::uint8_t>(run), archives.device, s, e},
                             recordSize,
                             archives.fullHourDayAnswer};
  std::uint32_t count = 0;
  const HourDayEnd outcome = readHourDaySeries(series, title, maximum, file, count);
  file.close();
  if (count == 0) {
    if (outcome != HourDayEnd::kFailed) inform("Нет данных за указанный период");
    return std::nullopt;
  }
  auto records = readArchiveRecords(workFile, 0, recordSize, count);
  if (!records) {
    inform("Ошибка открытия файла");
    return std::nullopt;
  }
  if (daily) {
    const auto serial = service_.image().field(kSerialNumberTable, 0);
    if (std::all_of(serial.begin(), serial.end(), [](std::uint8_t b) { return b == 0; })) {
      service_.readTableRange({kSerialNumberTable, 0, 1});
    }
  }
  ChromReading reading{
      buildHeader(daily ? "DAY" : "HOU", sourceByte(archives, run), records->count()),
      std::move(*records)};
  reading.cutShort = outcome == HourDayEnd::kCutShort;
  if (daily) {
    reading.header.setPeriod(Date3::of(s), Date3::of(e));
  } else {
    reading.header.setPeriod(DateHour4::of(s), DateHour4::of(e));
  }
  return reading;
}

HourDayEnd ChromArchiveReader::readHourDaySeries(const HourDaySeries& series, const char* title,
                                                 int maximum, std::ostream& file,
                                                 std::uint32_t& count) {
  Frontend& frontend = service_.frontend();
  kpsbox& engine = *connection_.engine;
  ArchiveReadSession session(connection_, frontend, maximum);
  bool checking = true;
  HourDaySeriesSteps steps;
  steps.exchange =
      [&](const HourDayArchiveRequest& request) -> std::optional<std::span<const std::uint8_t>> {
    while (true) {
      if (auto answer = exchangeHourDay(engine, request)) return answer;
      session.exchangeFailed();
      if (!frontend.showMessage(kRetryQuestion, "Не выполнено чтение", "очередного блока данных")) {
        return std::nullopt;
      }
    }
  };
  steps.record = [&](std::span<const std::uint8_t> record, const DateTime6& time,
                     const DateTime6& expected) {
    frontend.progressSet(static_cast<int>(std::min<long>(count + 1, maximum)));
    RecordChoice choice = RecordChoice::kKeep;
    if (checking && outsidePeriod(time, expected, series.request.end, series.request.daily)) {
      if (frontend.showMessage(kQuestion, "Передаваемые контроллером данные не соответствуют",
                               "запрошенному периоду.    Продолжить чтение?")) {
        checking = false;
      } else {
        choice = RecordChoice::kKeepAndStop;
      }
    }
    append(file, record);
    ++count;
    return choice;
  };
  steps.stopRequested = [&] {
    frontend.processEvents();
    return std::exchange(connection_.stopRequested, false);
  };
  const HourDayEnd outcome = runHourDaySeries(series, steps);
  if (outcome == HourDayEnd::kFailed) {
    inform(title, count == 0 ? "не прочитаны" : "прочитаны не полностью");
  } else if (outcome == HourDayEnd::kCutShort) {
    inform(title, "прочитаны не полностью");
  }
  // A failed exchange has started the message timer that clears its error line.
  if (count > 0) service_.showFullProgress(maximum);
  return outcome;
}

ArchiveFileHeader ChromArchiveReader::buildHeader(std::string_view signature,
                                                  std::uint8_t sourceByte, std::size_t count) {
  ArchiveFileHeader header =
      buildArchiveFileHeader(signature, sourceByte, service_.image(), connection_.engine->address);
  header.setReadTime(clock());
  header.setRecordCount(static_cast<std::uint32_t>(count));
  return header;
}

void ChromArchiveReader::inform(std::string_view line1, std::string_view line2) {
  service_.frontend().showMessage(kInformation, line1, line2);
}

}  // namespace zvc

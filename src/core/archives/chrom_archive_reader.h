#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <vector>

#include "core/archives/archive_dates.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/chrom_archives.h"
#include "core/archives/hour_day_series.h"
#include "core/common/calendar.h"

namespace zvc {

class TableService;
struct ConnectionState;
struct DeviceArchives;

// What the archive holds for a period dialog: the earliest start and the latest end that may be
// asked for (minute 0; a daily range uses the dates only) and the oldest record's time.
struct ArchiveRange {
  DateTime6 first;
  DateTime6 last;
  DateTime6 oldest;
};

// The rule behind the range query, from the oldest record O (daily: with its flag bit D cleared
// and given apart), the controller clock C and the contract hour H.
struct ArchiveRangeRule {
  bool daily = false;
  DateTime6 oldest;
  bool oldestFlag = false;
  DateTime6 clock;
  int contractHour = 0;
};
// nullopt when the archive holds no complete interval yet.
std::optional<ArchiveRange> selectableRange(const ArchiveRangeRule& rule);

// A finished reading: what the table window shows (the moisture meter's records are shorter).
struct ChromReading {
  ArchiveFileHeader header;
  ArchiveRecords records{ChromMeasRecord::kSize};
  // An hourly or daily reading that the controller stopped feeding before the period's end.
  bool cutShort = false;
};

// Reads the measurement, hourly and daily archives of a chromatograph run or of the moisture
// meter into the working files and builds the header. Every outcome is told on the way; nullopt
// when there is nothing to show.
class ChromArchiveReader {
 public:
  ChromArchiveReader(ConnectionState& connection, TableService& service,
                     std::filesystem::path workingFolder);

  // The controller's clock (table 2) into the image, before the measurement period is asked.
  bool readClock();
  std::optional<ChromReading> readMeasurements(int run, const DateTime6& start,
                                               const DateTime6& end);
  std::optional<ChromReading> readMoistureMeasurements(const DateTime6& start,
                                                       const DateTime6& end);

  // ArchiveRangeQuery: tables 27, 2 and 6.
  std::optional<ArchiveRange> queryRange(bool daily);
  // The controller clock the range query read (the dialog's quick choices start from it).
  DateTime6 controllerClock() const;
  std::optional<ChromReading> readHourDay(bool daily, int run, const DateTime6& start,
                                          const DateTime6& end);
  std::optional<ChromReading> readMoistureHourDay(bool daily, const DateTime6& start,
                                                  const DateTime6& end);

  std::function<DateTime6()> clock = localNow;

 private:
  std::optional<ChromReading> readMeasurementsOf(const DeviceArchives& archives, int run,
                                                 const DateTime6& start, const DateTime6& end);
  std::optional<ChromReading> readHourDayOf(const DeviceArchives& archives, bool daily, int run,
                                            const DateTime6& start, const DateTime6& end);
  // The series into `file` under the wait window, asking to repeat a failed exchange and about
  // records outside the period; how it ended is told. `count` counts the records written.
  HourDayEnd readHourDaySeries(const HourDaySeries& series, const char* title, int maximum,
                               std::ostream& file, std::uint32_t& count);
  ArchiveFileHeader buildHeader(std::string_view signature, std::uint8_t sourceByte,
                                std::size_t count);
  void inform(std::string_view line1, std::string_view line2 = "");
  bool reportInvalidDate(const DateTime6& value);

  ConnectionState& connection_;
  TableService& service_;
  std::filesystem::path workingFolder_;
};

}  // namespace zvc

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/archives/archive_dates.h"
#include "core/archives/archive_records.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/chrom_archives.h"
#include "core/archives/moisture_archives.h"

namespace zvc {

class TableService;
struct ConnectionState;

enum class PassportMode { kDaily, kMonthly };

// The records a passport is built from, both instruments' in step: row k of the one has the hour
// (day) of row k of the other.
struct PassportReading {
  PassportMode mode = PassportMode::kDaily;
  int run = 0;
  Date3 date;  // the chosen day, or a day of the chosen month
  // Daily: the hourly records of the gas day; monthly: the daily records of the month.
  ArchiveRecords chromRows{ChromHourDayRecord::kSize};
  ArchiveRecords moistureRows{WmtHourDayRecord::kSize};
  // Daily only: the day's own records, the averages row. Without a moisture meter (table 6
  // field 8 = 0) nothing of it is read and its rows stay empty.
  std::vector<std::uint8_t> chromDay;
  std::vector<std::uint8_t> moistureDay;
};

// Reads exactly the records of one passport and checks that the chromatograph's and the moisture
// meter's agree. Every failure is told on the way and gives nullopt: nothing is to be written.
class PassportReader {
 public:
  PassportReader(ConnectionState& connection, TableService& service);

  // The gas day `day` from the contract hour `contractHour` on; `range` as the range query gave.
  std::optional<PassportReading> readDaily(int run, const Date3& day, int contractHour,
                                           const ArchiveRange& range);
  // The days of the month of `month` that lie in `range`.
  std::optional<PassportReading> readMonthly(int run, const Date3& month,
                                             const ArchiveRange& range);

 private:
  struct Series;
  std::optional<std::vector<std::uint8_t>> readDayRecord(int run, std::uint8_t device,
                                                         const Date3& day, std::size_t size,
                                                         const char* unreadLine2,
                                                         const char* unsoundLine1);
  bool readSeries(const Series& series, ArchiveRecords& out, const ArchiveRecords* matchWith);
  bool readBoth(bool daily, int run, const DateTime6& start, const DateTime6& end,
                PassportReading& reading);
  // One request; a failure leaves the engine's error line in the result panel.
  std::optional<std::span<const std::uint8_t>> exchange(const HourDayArchiveRequest& request);
  void inform(std::string_view line1, std::string_view line2);

  ConnectionState& connection_;
  TableService& service_;
};

}  // namespace zvc

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/archives/archive_dates.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"

namespace zvc {

// A value of a record at byte `at` with its two zone bits cleared, and the mark those bits give:
// '#' alarm zone (bit 1, taking precedence), '*' warning zone (bit 0), ' ' otherwise.
float zoneClearedValue(std::span<const std::uint8_t> record, std::size_t at);
char zoneMarkAt(std::span<const std::uint8_t> record, std::size_t at);

// The three chromatograph archives the program reads per run.
enum class ChromArchive { kMeasurement, kHourly, kDaily };
inline constexpr ChromArchive kChromArchives[] = {ChromArchive::kMeasurement, ChromArchive::kHourly,
                                                  ChromArchive::kDaily};

// One analysis of the chromatograph (archive kind 6): time, status, state code, 20 values whose
// two lowest bits are zone flags, checksum.
struct ChromMeasRecord {
  static constexpr std::size_t kSize = 94;
  static constexpr std::size_t kStatusAt = 7;
  static constexpr std::size_t kStateAt = 8;
  static constexpr std::size_t kValuesAt = 12;

  std::span<const std::uint8_t> bytes;

  DateTime6 time() const { return DateTime6::fromBytes(bytes.data()); }
  std::uint8_t status() const { return bytes[kStatusAt]; }
  std::uint16_t stateCode() const;
  // The value with its zone bits cleared.
  float value(int index) const;
  // '#' alarm zone (bit 1, taking precedence), '*' warning zone (bit 0), ' ' otherwise.
  char zoneMark(int index) const;
};

// One hourly or daily average of the chromatograph.
struct ChromHourDayRecord {
  static constexpr std::size_t kSize = 94;
  static constexpr std::size_t kStartTimeAt = 3;
  static constexpr std::size_t kEndTimeAt = 6;
  static constexpr std::size_t kStatusAt = 9;
  static constexpr std::size_t kCountAt = 10;
  static constexpr std::size_t kValuesAt = 12;
  // Bit 7 of a daily record's end hour is a flag; the hour is the low bits.
  static constexpr std::uint8_t kEndHourFlag = 0x80;

  std::span<const std::uint8_t> bytes;

  Date3 date() const { return Date3::fromBytes(bytes.data()); }
  DateHour4 startHour() const { return {bytes[0], bytes[1], bytes[2], bytes[kStartTimeAt]}; }
  std::uint8_t status() const { return bytes[kStatusAt]; }
  std::uint16_t count() const;
  float value(int index) const;
  std::uint8_t endHourByte() const { return bytes[kEndTimeAt]; }
  bool endHourFlag() const { return (endHourByte() & kEndHourFlag) != 0; }
};

// A table window's content as plain texts: two heading rows and one row per record, C columns
// each, exactly the grid's texts; the per-parameter averages go to the spreadsheet only.
struct ChromTable {
  ChromArchive archive = ChromArchive::kMeasurement;
  std::string caption;
  std::vector<std::vector<std::string>> headings;  // 2 rows
  std::vector<std::vector<std::string>> rows;
  std::vector<float> averages;  // one per parameter
  std::vector<int> decimals;    // one per parameter
  int firstValueColumn = 2;
  // Per row: the record's time (hourly and daily: the interval's start), none for a damaged
  // record; and per parameter what its cell shows as a number, none for " 0", blank or "NAN".
  std::vector<std::optional<DateTime6>> rowTimes;
  std::vector<std::vector<std::optional<ShownValue>>> shownValues;

  int columnCount() const { return firstValueColumn + static_cast<int>(averages.size()); }
};

// The fixed columns before the values: date and time, or date, start, end and count.
inline constexpr int kMeasFixedColumns = 2;
inline constexpr int kHourDayFixedColumns = 4;

inline constexpr const char* kChromLegend =
    " Усл. обозначения:    * - значение в зоне ПУ;    # - значение в зоне АУ";

ChromTable buildChromTable(ChromArchive archive, const ArchiveFileHeader& header,
                           const ArchiveRecords& records);

// The name (row 0) and unit (row 1) headings of the header's parameters appended to the two
// heading rows, and their decimals to `decimals`.
void appendParameterHeadings(const ArchiveFileHeader& header,
                             std::vector<std::vector<std::string>>& headings,
                             std::vector<int>& decimals);

// A name or unit of up to 9 characters centred in 10, a longer one after one blank.
std::string centredHeading(const std::string& text);

// The status dialog's title for record `index` of the table.
std::string chromStatusTitle(ChromArchive archive, std::span<const std::uint8_t> record);

}  // namespace zvc

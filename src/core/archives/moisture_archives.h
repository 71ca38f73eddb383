#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archives/archive_dates.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"

namespace zvc {

// The three archives of the moisture (dew-point) meter; it has no pipeline runs.
enum class MoistureArchive { kMeasurement, kHourly, kDaily };
inline constexpr MoistureArchive kMoistureArchives[] = {
    MoistureArchive::kMeasurement, MoistureArchive::kHourly, MoistureArchive::kDaily};

inline constexpr int kMoistureValueCount = 4;

// Status bits of both record kinds.
inline constexpr std::uint8_t kMeterOff = 0x02;
inline constexpr std::uint8_t kNoMeterLink = 0x04;

// One measurement of the meter: time, status, state code, four values, checksum.
struct WmtMeasRecord {
  static constexpr std::size_t kSize = 29;
  static constexpr std::size_t kStatusAt = 6;
  static constexpr std::size_t kStateAt = 9;
  static constexpr std::size_t kValuesAt = 11;

  std::span<const std::uint8_t> bytes;

  DateTime6 time() const { return DateTime6::fromBytes(bytes.data()); }
  std::uint8_t status() const { return bytes[kStatusAt]; }
  std::uint16_t stateCode() const;
  float value(int index) const;
};

// One hourly or daily record of the meter.
struct WmtHourDayRecord {
  static constexpr std::size_t kSize = 28;
  static constexpr std::size_t kStartTimeAt = 3;
  static constexpr std::size_t kEndTimeAt = 6;
  static constexpr std::size_t kStatusAt = 9;
  static constexpr std::size_t kValuesAt = 10;

  std::span<const std::uint8_t> bytes;

  Date3 date() const { return Date3::fromBytes(bytes.data()); }
  std::uint8_t status() const { return bytes[kStatusAt]; }
  float value(int index) const;
};

std::size_t moistureRecordSize(MoistureArchive archive);

// The four caption lines of value `index` (0..3) for the meter model of header byte 47.
std::array<std::string_view, 4> moistureValueHeading(int index, std::uint8_t meterModel);

// A moisture-meter table as plain texts: the window's caption, four caption lines above each
// column, and one row per record, exactly the grid's texts.
struct MoistureTable {
  static constexpr int kCaptionLines = 4;
  static constexpr int kColumns = 8;

  MoistureArchive archive = MoistureArchive::kMeasurement;
  std::string caption;
  std::array<std::array<std::string, kColumns>, kCaptionLines> columnCaptions;
  std::vector<std::array<std::string, kColumns>> rows;
  // Per row: the record's time (hourly and daily: the interval's start), none for a damaged
  // record; and per value what its cell shows as a number, none for "Выкл.", "0" or "NAN".
  std::vector<std::optional<DateTime6>> rowTimes;
  std::vector<std::vector<std::optional<ShownValue>>> shownValues;
};

MoistureTable buildMoistureTable(MoistureArchive archive, const ArchiveFileHeader& header,
                                 const ArchiveRecords& records);

}  // namespace zvc

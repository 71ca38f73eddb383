// Moisture-meter headers and records built byte by byte for the archive tests.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/archives/moisture_archives.h"
#include "core/common/crc16.h"
#include "support/chrom_fixtures.h"

namespace zvc::test {

using MoistureRecordBytes = std::vector<std::uint8_t>;
using MoistureValues = std::array<float, kMoistureValueCount>;

inline void sealMoistureRecord(MoistureRecordBytes& r) {
  appendCrc16(r.data(), r.size() - 2);
}

// A measurement with its status byte, state code and four values; sound.
inline MoistureRecordBytes wmtMeasRecord(const DateTime6& time, std::uint8_t status,
                                         std::uint16_t state, const MoistureValues& values) {
  MoistureRecordBytes r(WmtMeasRecord::kSize);
  time.toBytes(r.data());
  r[WmtMeasRecord::kStatusAt] = status;
  r[WmtMeasRecord::kStateAt] = static_cast<std::uint8_t>(state);
  r[WmtMeasRecord::kStateAt + 1] = static_cast<std::uint8_t>(state >> 8);
  std::memcpy(&r[WmtMeasRecord::kValuesAt], values.data(), sizeof values);
  sealMoistureRecord(r);
  return r;
}

// An hourly or daily record from `startHour`:00:00 to the end hour byte (flag bit included).
inline MoistureRecordBytes wmtHourDayRecord(const Date3& date, std::uint8_t startHour,
                                            std::uint8_t endHour, std::uint8_t status,
                                            const MoistureValues& values) {
  MoistureRecordBytes r(WmtHourDayRecord::kSize);
  date.toBytes(r.data());
  r[WmtHourDayRecord::kStartTimeAt] = startHour;
  r[WmtHourDayRecord::kEndTimeAt] = endHour;
  r[WmtHourDayRecord::kStatusAt] = status;
  std::memcpy(&r[WmtHourDayRecord::kValuesAt], values.data(), sizeof values);
  sealMoistureRecord(r);
  return r;
}

inline ArchiveRecords moistureRecords(std::size_t size,
                                      const std::vector<MoistureRecordBytes>& list) {
  std::vector<std::uint8_t> bytes;
  for (const MoistureRecordBytes& r : list) bytes.insert(bytes.end(), r.begin(), r.end());
  return ArchiveRecords(size, bytes);
}

// A header of a saved moisture-meter file ("MSA", "HOU" or "DAY") of controller 7, the meter
// model in byte 47.
inline ArchiveFileHeader moistureHeader(std::string_view signature, std::uint8_t meterModel = 1) {
  ArchiveFileHeader header = chromHeader(signature);
  header.bytes()[ArchiveFileHeader::kSourceAt] = 0x01;
  header.bytes()[ArchiveFileHeader::kMoistureMeterModelAt] = meterModel;
  return header;
}

}  // namespace zvc::test

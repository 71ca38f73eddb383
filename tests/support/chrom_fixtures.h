// Chromatograph headers and records built byte by byte for the archive tests.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/chrom_archives.h"
#include "core/common/crc16.h"

namespace zvc::test {

using ChromRecordBytes = std::array<std::uint8_t, ChromMeasRecord::kSize>;

// A header with parameters "CH4" (%, 3 decimals) and "Плотность" (kg/m3, 4 decimals).
inline ArchiveFileHeader chromHeader(std::string_view signature, int parameters = 2) {
  ArchiveFileHeader header;
  auto b = header.bytes();
  std::memcpy(&b[0], signature.data(), 3);
  const char* run = "\xCD\xE8\xF2\xEA\xE0 1/2";  // "Нитка 1/2" in Windows-1251
  std::memcpy(&b[ArchiveFileHeader::kRunNameAt], run, std::strlen(run));
  b[ArchiveFileHeader::kAddressAt] = 7;
  b[ArchiveFileHeader::kControllerTypeAt] = 15;
  b[ArchiveFileHeader::kChromatographModelAt] = 7;
  b[ArchiveFileHeader::kSerialNumberAt] = 42;
  b[ArchiveFileHeader::kParameterCountAt] = static_cast<std::uint8_t>(parameters);
  const char* names[] = {"CH4", "\xCF\xEB\xEE\xF2\xED\xEE\xF1\xF2\xFC"};  // "Плотность" in 1251
  const std::uint8_t units[] = {1, 6};
  const std::uint8_t decimals[] = {3, 4};
  for (int c = 0; c < parameters && c < 2; ++c) {
    auto* slot = &b[ArchiveFileHeader::kParametersAt + ArchiveFileHeader::kParameterSlot * c];
    std::memcpy(slot, names[c], std::strlen(names[c]));
    slot[ArchiveFileHeader::kUnitCodeInSlot] = units[c];
    slot[ArchiveFileHeader::kDecimalsInSlot] = decimals[c];
  }
  return header;
}

inline void putValue(ChromRecordBytes& r, int index, float value, std::uint8_t zoneBits = 0) {
  std::memcpy(&r[12 + 4 * index], &value, 4);
  r[12 + 4 * index] = static_cast<std::uint8_t>((r[12 + 4 * index] & ~3) | zoneBits);
}

inline void seal(ChromRecordBytes& r) {
  appendCrc16(r.data(), r.size() - 2);
}

// A measurement at the time with the values and status; sound unless told.
inline ChromRecordBytes measRecord(DateTime6 time, std::vector<float> values,
                                   std::uint8_t status = 0) {
  ChromRecordBytes r{};
  time.toBytes(r.data());
  r[7] = status;
  for (std::size_t i = 0; i < values.size(); ++i) putValue(r, static_cast<int>(i), values[i]);
  seal(r);
  return r;
}

// An hourly or daily record: date, start hour, end hour byte, status, count and values.
inline ChromRecordBytes hourDayRecord(Date3 date, int startHour, std::uint8_t endHourByte,
                                      std::uint8_t status, std::vector<float> values) {
  ChromRecordBytes r{};
  date.toBytes(r.data());
  r[3] = static_cast<std::uint8_t>(startHour);
  r[6] = endHourByte;
  r[9] = status;
  r[10] = 12;
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::memcpy(&r[12 + 4 * i], &values[i], 4);
  }
  seal(r);
  return r;
}

inline ArchiveRecords recordsOf(const std::vector<ChromRecordBytes>& list) {
  std::vector<std::uint8_t> bytes;
  for (const auto& r : list) bytes.insert(bytes.end(), r.begin(), r.end());
  return ArchiveRecords(ChromMeasRecord::kSize, bytes);
}

}  // namespace zvc::test

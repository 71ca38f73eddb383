#pragma once

// Readings and headers for the message views, shared by the core and the window tests.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/common/calendar.h"
#include "core/common/crc16.h"

namespace zvc::test {

// Gives the record its time and a checksum that fits.
template <std::size_t N>
void stamp(std::array<std::uint8_t, N>& record, const DateTime6& time) {
  time.toBytes(record.data());
  appendCrc16(record.data(), N - 2);
}

template <std::size_t N>
ArchiveRecords recordsOf(const std::vector<std::array<std::uint8_t, N>>& records) {
  std::vector<std::uint8_t> bytes;
  for (const auto& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
  return ArchiveRecords(N, std::move(bytes));
}

// A reading's header: the period of its first and last record, as a reading by index has it.
inline ArchiveFileHeader readingHeader(std::string_view signature, const DateTime6& first,
                                       const DateTime6& last, std::uint32_t count) {
  ArchiveFileHeader header;
  const auto bytes = header.bytes();
  std::copy(signature.begin(), signature.end(), bytes.begin());
  bytes[ArchiveFileHeader::kControllerTypeAt] = ArchiveFileHeader::kControllerType;
  bytes[ArchiveFileHeader::kChromatographModelAt] = ArchiveFileHeader::kVelaChromatograph;
  header.setPeriod(first, last);
  header.setRecordCount(count);
  return header;
}

}  // namespace zvc::test

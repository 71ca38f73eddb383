// Calibration and verification records built byte by byte for the archive tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/archives/calibration_archives.h"
#include "core/common/crc16.h"

namespace zvc::test {

// A check record of `size` bytes: time, run, verdict and values (zone bits as given), sealed.
inline std::vector<std::uint8_t> checkRecord(std::size_t size, DateTime6 time, int run,
                                             std::uint8_t verdict, std::vector<float> values,
                                             std::vector<std::uint8_t> zoneBits = {}) {
  std::vector<std::uint8_t> r(size);
  time.toBytes(r.data());
  r[kCheckRunAt] = static_cast<std::uint8_t>(run);
  r[kCheckVerdictAt] = verdict;
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::uint8_t* at = &r[kCheckValuesAt + 4 * i];
    std::memcpy(at, &values[i], 4);
    at[0] = static_cast<std::uint8_t>((at[0] & ~3) | (i < zoneBits.size() ? zoneBits[i] : 0));
  }
  appendCrc16(r.data(), r.size() - 2);
  return r;
}

inline ArchiveRecords checkRecordsOf(std::size_t size,
                                     const std::vector<std::vector<std::uint8_t>>& list) {
  std::vector<std::uint8_t> bytes;
  for (const auto& r : list) bytes.insert(bytes.end(), r.begin(), r.end());
  return ArchiveRecords(size, bytes);
}

}  // namespace zvc::test

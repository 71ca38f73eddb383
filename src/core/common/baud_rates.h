#pragma once

#include <algorithm>
#include <array>
#include <optional>

namespace zvc {

// The baud-rate code table of the link settings, the communication tables and
// the intervention records: code k stands for kBaudRates[k] bit/s.
inline constexpr std::array<int, 22> kBaudRates = {
    300,  600,   1200,  2400,  3200,  3600,  4800,  5760,  6400,  7200,   7680,
    9600, 11520, 12800, 14400, 19200, 23040, 28800, 38400, 57600, 115200, 230400};

// The code of a rate in the table, or nullopt.
inline std::optional<int> baudRateCode(int rate) {
  const auto found = std::find(kBaudRates.begin(), kBaudRates.end(), rate);
  if (found == kBaudRates.end()) return std::nullopt;
  return static_cast<int>(found - kBaudRates.begin());
}

// The rate of a code, 0 for a code outside the table.
inline int baudRateOfCode(int code) {
  return code >= 0 && code < static_cast<int>(kBaudRates.size()) ? kBaudRates[code] : 0;
}

}  // namespace zvc

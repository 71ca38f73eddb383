#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/tables/config_image.h"

namespace zvc {

// A diagnostic record: time, event code, two parameter bytes, two 4-byte values, checksum.
inline constexpr std::size_t kDiagnosticRecordSize = 22;

// The texts of one row of the diagnostic view, UTF-8, in view order. A column the event does not
// use stays empty.
struct DiagnosticRow {
  enum Column { kDate, kTime, kEvent, kObject, kCurrentValue, kSetpointValue, kUnit, kColumnCount };

  // False when the checksum does not match: then the date column holds "   ***" and nothing else.
  bool sound = false;
  std::array<std::string, kColumnCount> columns;
};

// Turns one record into its row. Never fails: unknown codes, parameter indices outside table 1,
// NaN values and impossible dates give fallback texts or are shown as logged; a record of another
// size is unsound. `moistureMeterModel` is the model code of the reading's archive header.
DiagnosticRow decodeDiagnosticRecord(std::span<const std::uint8_t> record, int moistureMeterModel,
                                     const ConfigImage& image);

}  // namespace zvc

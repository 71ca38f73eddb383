#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/tables/config_image.h"

namespace zvc {

// An operator-intervention record: time, table and field changed, unit code, old and new value
// (four bytes each), operator name, checksum.
inline constexpr std::size_t kInterventionRecordSize = 24;

// The texts of one row of the intervention view, UTF-8, in view order.
struct InterventionRow {
  enum Column { kDate, kTime, kFieldName, kOldValue, kNewValue, kUnit, kOperator, kColumnCount };

  // False when the checksum does not match: then the date column holds "   ***" and nothing else.
  bool sound = false;
  std::array<std::string, kColumnCount> columns;
};

// Turns one record into its row. Never fails: tables and fields the controller does not have,
// codes outside their lists and values that are not numbers give fallback texts; a record of
// another size is unsound. The record is not changed, so a row can be decoded again whenever a
// view needs it.
InterventionRow decodeInterventionRecord(std::span<const std::uint8_t> record,
                                         const ConfigImage& image);

}  // namespace zvc
